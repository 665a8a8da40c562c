#pragma once

#include <QObject>
#include <functional>

namespace tarvos {

class Clock;
class DataDir;
class EditorLauncher;
class Form1;
class MessageBox;
class StripBoardController;

// The strip log: "Lö" writes the row as one fixed-width line to log.txt (and a departure into
// the ground-info window) before the row is cleared; "Log" opens log.txt in the text editor.
class StripLogController : public QObject {
    Q_OBJECT
public:
    StripLogController(Form1 &form, DataDir &data, Clock &clock, EditorLauncher &editor,
                       MessageBox &messages, StripBoardController &board,
                       QObject *parent = nullptr);

    void log(int r);
    void openLog();

signals:
    // A departure was logged: its callsign goes into the ground-info window.
    void departureLogged(const QString &callsign);

private:
    Form1 &m_form;
    DataDir &m_data;
    Clock &m_clock;
    EditorLauncher &m_editor;
    MessageBox &m_messages;
};

} // namespace tarvos

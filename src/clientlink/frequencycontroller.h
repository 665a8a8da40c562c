#pragma once

#include <QObject>
#include <QSet>

namespace tarvos {

class Caption;
class DataDir;
class Form1;
class MessageBox;
struct ConsoleState;
struct DefaultFile;

// The two frequency lists of the top panel: "ATC" steps through freq1.txt into Label5 with
// `atcline`, "Con" through freq2.txt into Label7 with `conline`. Each press reads its file
// afresh, so an edit shows at the next press; a missing file is created with its defaults.
class FrequencyController : public QObject {
    Q_OBJECT
public:
    FrequencyController(Form1 &form, ConsoleState &state, DataDir &data, MessageBox &messages,
                        QObject *parent = nullptr);

    void atcClicked(); // "ATC"
    void conClicked(); // "Con"

private:
    void step(const DefaultFile &file, Caption *label, int &counter);

    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    MessageBox &m_messages;
    QSet<QString> m_builtIn; // lists whose file could not be created
};

} // namespace tarvos

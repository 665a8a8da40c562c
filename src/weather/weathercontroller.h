#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <optional>

class QWidget;

namespace tarvos {

class Clipboard;
class DataDir;
class Form1;
class MessageBox;
class RunwaySource;
struct AtisFields;
struct RunwayWind;
struct AtisTable;
struct ConsoleState;

// The weather row of the console and what hangs on it: "ATIS" decodes the METAR on the
// clipboard into wind, QNH, observation time and transition level; the runway choice from
// rwy.txt; the ATIS letter and the tower and approach texts for the clipboard with their
// one-second "OK"; and the ILS panel. The rules themselves are in metar.h, runway.h, atis.h
// and ils.h; this class reads the controls, applies a rule and writes the controls back.
class WeatherController : public QObject {
    Q_OBJECT
public:
    WeatherController(Form1 &form, ConsoleState &state, DataDir &data, Clipboard &clipboard,
                      MessageBox &messages, RunwaySource &runways, QObject *parent = nullptr);

    // "ATIS": the METAR on the clipboard into the weather row and the mini window. AutoAtis
    // calls it after putting a downloaded report on the clipboard. False for the error row (a
    // text that is no report).
    bool decodeFromClipboard();
    // `loadrwy`: landing and take-off runway for the airport in Label8 and the wind in Text1.
    // An airport that rwy.txt does not know gets its lines from the open data, and its runways
    // are chosen as soon as they are in. The runway fields' tooltips give the wind on each
    // runway, or why there is no runway.
    void loadrwy();

    // `abc1`: the tower ATIS of atis.txt on the clipboard. Without a TWR line for the airport
    // and runway the clipboard keeps its text, TWR's tooltip says what is missing, and the
    // result is false.
    bool abc1();
    void towerAtis();    // "TWR"
    void approachAtis(); // "APP"
    void letterReset();  // double click on the letter's label
    // The reset itself, back to A with the tower ATIS on the clipboard, without the "OK".
    void resetLetter();

    // The minutes from one AutoAtis run of the cycle to the next: ten, or one while the cycle's
    // downloads find no METAR.
    void setAutoAtisInterval(int minutes) { m_autoAtisInterval = minutes; }
    int autoAtisInterval() const { return m_autoAtisInterval; }

    void ilsClicked(); // "ILS-Info"
    void loadils();
    void hideIlsPanel();

signals:
    // A decoded METAR changed the weather row; the mini window shows the same row.
    void weatherRowChanged();
    // The minute counter reached its tenth minute, or the console has just started.
    void autoAtisDue();
    // The ATIS letter field changed, or the letter was reset: the number squawk.txt keeps.
    void atisLetterChanged();

private:
    void minuteTick();
    RunwayWind rowWind() const;
    void explainRunways();
    QCoro::Task<> fillRunways(QString station);
    void letterChanged();
    AtisFields atisFields() const;
    AtisTable atisTable() const;
    void putOnClipboard(const QString &text);
    bool towerAtisOnClipboard(const std::optional<QString> &text, const AtisFields &fields);
    void explainAtis(QWidget *button, const QString &missing);

    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    Clipboard &m_clipboard;
    MessageBox &m_messages;
    RunwaySource &m_runways;
    // Why the airport in Label8 has no runways (rwy.txt and the open data have none), until
    // the next airport.
    QString m_runwayNoteStation, m_runwayNote;
    // Set while the letter field's handler writes the field itself, so that the write does not
    // run the handler a second time.
    bool m_inLetterChange = false;
    int m_autoAtisInterval = 10;
    // TWR's and APP's own tooltip, shown again once atis.txt has their lines.
    QString m_atisToolTip;
};

} // namespace tarvos

#include "weather/weathercontroller.h"

#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "console/numbers.h"
#include "platform/platform.h"
#include "weather/atis.h"
#include "weather/atisfile.h"
#include "weather/ils.h"
#include "weather/metar.h"
#include "weather/runway.h"
#include "weather/runwaysource.h"
#include "weather/tlfile.h"

#include <QPointer>

namespace tarvos {

namespace {
constexpr int kIlsShownTop = 0;
constexpr int kIlsHiddenTop = 6480;

void setIfGiven(QLineEdit *field, const std::optional<QString> &text) {
    if (text)
        field->setText(*text);
}
} // namespace

WeatherController::WeatherController(Form1 &form, ConsoleState &state, DataDir &data,
                                     Clipboard &clipboard, MessageBox &messages,
                                     RunwaySource &runways, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_data(data), m_clipboard(clipboard),
      m_messages(messages), m_runways(runways), m_atisToolTip(form.Command10->toolTip()) {
    Form1 &f = m_form;
    connect(f.Timer2, &QTimer::timeout, this, &WeatherController::minuteTick);
    connect(f.Timer3, &QTimer::timeout, this, [this] {
        emit autoAtisDue();
        m_form.Timer3->stop();
    });
    connect(f.Command18, &QPushButton::clicked, this, &WeatherController::decodeFromClipboard);
    connect(f.Command10, &QPushButton::clicked, this, &WeatherController::towerAtis);
    connect(f.Command37, &QPushButton::clicked, this, &WeatherController::approachAtis);
    connect(f.Text18, &QLineEdit::textChanged, this, &WeatherController::letterChanged);
    connect(f.Text18, &Field::doubleClicked, f.Text18, &QLineEdit::clear);
    connect(f.Label17, &Caption::doubleClicked, this, &WeatherController::letterReset);
    connect(f.Timer6, &QTimer::timeout, &f, &Form1::endConfirmation);
    connect(f.Command6, &QPushButton::clicked, this, &WeatherController::ilsClicked);
    connect(f.Text21, &Panel::doubleClicked, this, &WeatherController::hideIlsPanel);
    // Timer4 is started by the controller list that shares the panel; its tick ends that
    // display and is not needed again until the next list.
    connect(f.Timer4, &QTimer::timeout, this, [this] {
        hideIlsPanel();
        m_form.Timer4->stop();
    });
}

bool WeatherController::decodeFromClipboard() {
    Form1 &f = m_form;
    // A decoding by hand stops the AutoAtis cycle; AutoAtis itself switches it on again.
    f.Timer2->stop();
    f.Shape1->setFillColour(kRed);

    const QString metar = m_clipboard.text();
    // A tl.txt only just created, or one that cannot be written, serves with its default lines.
    const MetarDecoding d =
        decodeMetar(metar, readTlTable(m_data.openOrCreate(tlDefaultFile(), m_messages).lines));
    m_clipboard.clear();
    m_clipboard.setText(d.clipboardText);
    m_state.metartail = d.metartail;

    setIfGiven(f.Text6, d.text6);
    f.Text1->setText(d.text1);
    f.Text2->setText(d.text2);
    f.Text3->setText(d.text3);
    const QString pressureNote = d.pressureMissing ? noPressureToolTip() : QString();
    f.Text3->setToolTip(pressureNote);
    f.Text3->setAccessibleDescription(pressureNote);
    setIfGiven(f.Text4, d.text4);
    setIfGiven(f.Text5, d.text5);
    if (d.label2)
        f.Label2->setText(*d.label2);
    if (d.decoded) {
        f.Label2->setToolTip(d.label2ToolTip);
        f.Label2->setAccessibleDescription(d.label2Description);
        // A report of an airport that rwy.txt does not know brings that airport's lines; they
        // are chosen at once where it is the console's airport.
        if (const std::optional<MetarReport> report = readMetar(metar))
            fillRunways(report->station);
    }
    explainRunways();
    if (!d.refreshMiniWindow())
        return d.decoded;

    // The mini window gets the new row whether or not it is on the screen.
    emit weatherRowChanged();
    return d.decoded;
}

void WeatherController::minuteTick() {
    m_state.autoatisminutes += 1;
    if (m_state.autoatisminutes >= m_autoAtisInterval) {
        emit autoAtisDue();
        m_state.autoatisminutes = 0;
    }
}

RunwayWind WeatherController::rowWind() const {
    const Form1 &f = m_form;
    // The wind of the weather row; its gust comes from the report the row was decoded from.
    RunwayWind wind{f.Text1->text(), leadingInt(f.Text2->text()), 0};
    if (const std::optional<MetarReport> report = readMetarTail(m_state.metartail);
        report && report->direction == wind.direction)
        wind.gust = runwayWind(*report).gust;
    return wind;
}

void WeatherController::loadrwy() {
    Form1 &f = m_form;
    const QString station = f.Label8->text();
    // Without a reported wind the runways in use stay as they are.
    if (f.Text1->text() == QLatin1String(kNoWind)) {
        explainRunways();
        return;
    }
    const DataDir::OpenResult file = m_data.openOrCreate(rwyDefaultFile(), m_messages);
    const RunwayChoice choice = tarvos::loadrwy(file, station, rowWind());
    setIfGiven(f.Text4, choice.text4);
    setIfGiven(f.Text5, choice.text5);
    if (file.outcome != DataDir::Outcome::BuiltIn && !hasRunwayLines(file.lines, station)) {
        if (m_runwayNoteStation != station) {
            m_runwayNoteStation = station;
            m_runwayNote = QStringLiteral("rwy.txt has no runway for %1: its runways are being "
                                          "fetched from OurAirports.")
                               .arg(station);
        }
        fillRunways(station);
    }
    explainRunways();
}

void WeatherController::explainRunways() {
    Form1 &f = m_form;
    const RunwayWind wind = rowWind();
    const bool noted = m_runwayNoteStation == f.Label8->text() && !m_runwayNote.isEmpty();
    for (Field *field : {f.Text4, f.Text5}) {
        QString tip = runwayWindText(field->text(), wind);
        if (tip.isEmpty() && noted)
            tip = m_runwayNote;
        field->setToolTip(tip);
        field->setAccessibleDescription(tip);
    }
}

QCoro::Task<> WeatherController::fillRunways(QString station) {
    const QPointer<WeatherController> self(this);
    const RunwayFill fill = co_await m_runways.fill(station);
    if (!self)
        co_return;
    // Only what is still this airport's is written: another report may have come meanwhile.
    if (m_form.Label8->text() != station)
        co_return;
    if (fill.outcome == RunwayFill::Outcome::Known)
        co_return;
    m_runwayNoteStation = station;
    m_runwayNote = fill.why;
    if (fill.outcome == RunwayFill::Outcome::Added)
        loadrwy(); // at once, not at the next report
    else
        explainRunways();
}

AtisFields WeatherController::atisFields() const {
    const Form1 &f = m_form;
    return AtisFields{f.Label8->text(), f.Text4->text(), f.Label2->text(), f.Text6->text()};
}

AtisTable WeatherController::atisTable() const {
    // A file only just created, or one that cannot be written, serves with its default lines: the
    // press that needed it goes on.
    return readAtisTable(m_data.openOrCreate(atisDefaultFile(), m_messages).lines);
}

void WeatherController::explainAtis(QWidget *button, const QString &missing) {
    // The text starts with a plain word, so a tooltip never takes it for markup.
    button->setToolTip(missing.isEmpty() ? m_atisToolTip : missing);
    button->setAccessibleDescription(missing);
}

bool WeatherController::towerAtisOnClipboard(const std::optional<QString> &text,
                                             const AtisFields &fields) {
    if (text)
        putOnClipboard(*text);
    explainAtis(m_form.Command10, text ? QString() : missingTowerAtisText(fields));
    return text.has_value();
}

void WeatherController::putOnClipboard(const QString &text) {
    m_clipboard.clear();
    m_clipboard.setText(text);
}

void WeatherController::letterChanged() {
    if (m_inLetterChange)
        return;
    m_inLetterChange = true;
    Field *letter = m_form.Text18;
    const LetterFieldChange change = letterFieldChanged(letter->text(), m_state);
    if (change.text18 != letter->text())
        letter->setText(change.text18);
    m_inLetterChange = false;
    emit atisLetterChanged();
}

bool WeatherController::abc1() {
    const AtisFields fields = atisFields();
    return towerAtisOnClipboard(tarvos::abc1(m_state, fields, atisTable()), fields);
}

// The "OK" says that the tower ATIS is on the clipboard; a press that found no TWR line in
// atis.txt shows none (and ends one still shown), and the button's tooltip says what is missing.
void WeatherController::towerAtis() {
    if (abc1())
        m_form.showConfirmation();
    else
        m_form.endConfirmation();
    m_form.Command8->setFocus();
}

// APP always puts its text on the clipboard, so it always shows the "OK"; without airport lines
// for the runway its tooltip says so.
void WeatherController::approachAtis() {
    m_form.showConfirmation();
    const AtisFields fields = atisFields();
    const AtisTable table = atisTable();
    putOnClipboard(approachAtisText(m_state, fields, table));
    const bool complete = chooseApproachAtis(table, fields.text4) != nullptr;
    explainAtis(m_form.Command37, complete ? QString() : missingApproachAtisText(fields));
    m_form.Command8->setFocus();
}

void WeatherController::letterReset() {
    m_form.showConfirmation();
    resetLetter();
}

void WeatherController::resetLetter() {
    const AtisFields fields = atisFields();
    const LetterReset reset = tarvos::letterReset(m_state, fields, atisTable());
    // The reset has already run the letter's change handling for "A"; showing the letter must
    // not run it again, or the number would be counted on past A.
    m_inLetterChange = true;
    m_form.Text18->setText(reset.text18);
    m_inLetterChange = false;
    emit atisLetterChanged();
    towerAtisOnClipboard(reset.clipboardText, fields);
}

void WeatherController::ilsClicked() {
    Panel *panel = m_form.Text21;
    if (m_state.ilspanelshown == 1) {
        Form1::setTopTwips(panel, kIlsShownTop);
        panel->raise();
        m_state.ilspanelshown = 0;
        loadils();
    } else {
        Form1::setTopTwips(panel, kIlsHiddenTop);
        m_state.ilspanelshown = 1;
    }
}

void WeatherController::loadils() {
    m_form.Text21->setText(tarvos::loadils(m_data, m_messages));
}

void WeatherController::hideIlsPanel() {
    Form1::setTopTwips(m_form.Text21, kIlsHiddenTop);
    m_state.controllerlistshown = 1;
    m_state.ilspanelshown = 1;
}

} // namespace tarvos

#include "console/form1.h"

#include "console/twips.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QTextDocument>

namespace tarvos {

Lamp::Lamp(QWidget *parent) : QWidget(parent) {}

void Lamp::setFillColour(int value) {
    m_colour = value;
    m_failure.clear();
    setToolTip(QString());
    setAccessibleDescription(value == kRed ? QStringLiteral("red") : QStringLiteral("green"));
    update();
}

void Lamp::showFailure(const QString &why) {
    m_colour = kAmber;
    m_failure = why;
    // A tooltip that looks like markup would be rendered as such: the reason may quote a server.
    setToolTip(Qt::convertFromPlainText(why));
    setAccessibleDescription(QStringLiteral("amber: ") + why);
    update();
}

void Lamp::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colourFromValue(m_colour));
    painter.setPen(Qt::black);
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}

namespace {

// Builders that give every control its name, accessible name, tooltip and twip geometry.
struct Builder {
    QWidget *parent;

    template <class T> T *place(T *w, int left, int top, int width, int height) {
        w->setGeometry(pxRect(left, top, width, height));
        w->setProperty("topTwips", top);
        return w;
    }
    Button *button(const QString &name, const QString &caption, int l, int t, int w, int h,
                   const QString &tip = QString()) {
        auto *b = new Button(caption, parent);
        // A button is read by its caption; one without a caption by what it does.
        nameControl(b, name, caption.isEmpty() ? tip : QString(), tip);
        return place(b, l, t, w, h);
    }
    Caption *label(const QString &name, const QString &caption, int l, int t, int w, int h,
                   const QString &tip = QString()) {
        auto *c = new Caption(caption, parent);
        nameControl(c, name, QString(), tip);
        return place(c, l, t, w, h);
    }
    Field *field(const QString &name, const QString &spoken, int l, int t, int w, int h,
                 const QString &tip = QString()) {
        auto *f = new Field(parent);
        nameControl(f, name, spoken, tip);
        return place(f, l, t, w, h);
    }
    Panel *panel(const QString &name, const QString &spoken, int l, int t, int w, int h) {
        auto *p = new Panel(parent);
        nameControl(p, name, spoken);
        p->setReadOnly(true);
        return place(p, l, t, w, h);
    }
    QCheckBox *check(const QString &name, const QString &spoken, int l, int t, const QString &tip,
                     bool checked) {
        auto *c = new QCheckBox(parent);
        nameControl(c, name, spoken, tip);
        c->setChecked(checked);
        return place(c, l, t, 255, 255);
    }
};

QComboBox *levelList(QWidget *parent, const QString &name, const QString &title, int left,
                     int firstLevel, int lastLevel) {
    auto *combo = new QComboBox(parent);
    nameControl(combo, name, title);
    combo->setEditable(true);
    combo->setEditText(title);
    QStringList levels;
    for (int level = firstLevel; level <= firstLevel + 18 * 20; level += 20)
        levels << QStringLiteral("FL%1").arg(level);
    levels << QStringLiteral("FL%1").arg(lastLevel);
    combo->addItems(levels); // one model insertion rather than twenty

    combo->setEditText(title);
    combo->setGeometry(pxRect(left, 6480, 1575, 315));
    combo->setProperty("topTwips", 6480);
    return combo;
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarvos V7.4"));
    setAccessibleName(QStringLiteral("Tarvos"));
    setFont(consoleFont());
    buildTopPanel();
    buildBoard();
    buildPanels();
    buildTimers();
    setHeightTwips(kShortHeight);
}

void Form1::buildTopPanel() {
    Builder b{this};
    // Weather row.
    Label14 =
        b.label("Label14", "  Wind      kts        QNH        Land  TakeOff", 120, 0, 3780, 210);
    Text1 = b.field("Text1", "Wind direction", 120, 210, 585, 315);
    Text2 = b.field("Text2", "Wind speed", 735, 210, 465, 315);
    Text3 = b.field("Text3", "QNH", 1230, 210, 615, 315);
    Text4 = b.field("Text4", "Landing runway", 1875, 210, 585, 315);
    Text5 = b.field("Text5", "Take-off runway", 2490, 210, 585, 315);
    Label18 = b.label("Label18", "-----", 3135, 255, 795, 255, "Roger-Wilko / Team-Speak Channel");
    Label19 = b.label("Label19", "OK", 3135, 255, 795, 255);
    Label19->setVisible(false);
    Command18 =
        b.button("Command18", "ATIS", 120, 600, 735, 345, "get the METAR from the clipboard");
    Command10 = b.button("Command10", "TWR", 885, 600, 615, 345,
                         "Bereitet den ATIS für den Pro-Controller vor");
    Command37 = b.button("Command37", "APP", 1530, 600, 615, 345,
                         "Bereitet den ATIS für den Pro-Controller vor");
    Label17 = b.label("Label17", "Info", 2175, 645, 420, 255, "dbl-click : ATIS Information A");
    Text18 = b.field("Text18", "ATIS letter", 2625, 600, 345, 345, "ATIS Information A-Z");
    Text18->setText(QStringLiteral("-"));
    Label2 = b.label(
        "Label2", "TL", 3060, 630, 615, 255,
        "The TL is calculated by the QNH with TA=5000ft / dbl-click : shows 2 flight-strips");

    // Frequency and contact lines.
    Command1 = b.button("Command1", "ATC", 120, 1035, 690, 330);
    Label5 = b.label("Label5", "", 840, 1080, 1215, 255);
    Command2 = b.button("Command2", "Con", 2085, 1035, 510, 330);
    Label7 = b.label("Label7", "", 2625, 1080, 1815, 255);

    // AutoAtis.
    Command40 = b.button("Command40", "AutoAtis", 3960, 0, 1110, 345,
                         "gets the METAR every 10 minutes and updates the informations");
    Text6 = b.field("Text6", "ICAO code", 3960, 375, 795, 315, "enter the ICAO-Code here");
    Text6->setText(QStringLiteral("EDDT"));
    Shape1 = b.place(new Lamp(this), 4800, 420, 225, 225);
    nameControl(Shape1, "Shape1", "AutoAtis lamp");
    Label8 = b.label("Label8", "EDDT", 3960, 720, 795, 255, "on dbl-click : open one flight-strip");
    Check3 = b.check("Check3", "METAR from IVAO", 4800, 720,
                     "with hook: METAR from IVAO / without hook: METAR from NOAA", true);

    // Buttons.
    Command8 = b.button("Command8", "DEP", 5160, 0, 690, 345, "shows the flight-strips and METAR");
    Command9 = b.button("Command9", "Mini", 5880, 0, 690, 345, "minimize the window");
    Command36 = b.button("Command36", "GND", 6600, 0, 690, 345, "shows the ground info window");
    Command7 = b.button("Command7", "Log", 7320, 0, 690, 345, "open the LOG-File");
    Command3 =
        b.button("Command3", "Controller", 8040, 0, 1050, 345, "Shows all activ controllers");
    Command6 = b.button("Command6", "ILS-Info", 9120, 0, 915, 345, "shows ILS-Infos");
    Command4 = b.button("Command4", "U", 10065, 0, 330, 345, "checks for update");
    Command41 =
        b.button("Command41", "3", 10425, 0, 330, 345, "shows the wind and QNH from 3 airports");
    Command42 = b.button("Command42", "", 10785, 0, 270, 345);
    Command42->setAccessibleName(QStringLiteral("Traffic listing"));
    Command34 =
        b.button("Command34", "via Hlp", 5160, 375, 690, 345, "Hilfe über SID's und Shortcuts");
    Command35 = b.button("Command35", "Help", 5880, 375, 690, 345, "Hilfe Menü");
    Command43 = b.button("Command43", "IFR / VFR", 6600, 375, 1050, 345, "Shows even and odd FL's");
    Command39 = b.button("Command39", "Timer", 7680, 375, 1050, 345,
                         "timer for separation or other things");
    Check1 =
        b.check("Check1", "Always on top", 8790, 420, "with hook : window allways on top", true);
    Check2 = b.check("Check2", "Auto-dest", 9105, 420, "auto-dest activ/deactiv", false);
    Label16 = b.label("Label16", "", 5160, 750, 5895, 285);
    Label1 = b.label("Label1", "Flugstreifen", 4560, 1080, 1215, 255);
    Label10 = b.label("Label10", "^ verstecken", 9720, 1080, 1335, 255,
                      "Hier anklicken, um die Flugstreifen wieder zu verstecken");
    ProgressBar1 = b.place(new QProgressBar(this), 5805, 1080, 3885, 255);
    nameControl(ProgressBar1, "ProgressBar1", QStringLiteral("Download"));
    ProgressBar1->setFocusPolicy(Qt::NoFocus);
    ProgressBar1->setTextVisible(true);
    ProgressBar1->setVisible(false);
}

namespace {
QString megabytes(qint64 bytes) {
    return QString::number(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f', 1);
}
} // namespace

void Form1::showDownload(const QString &fileName, qint64 received, qint64 total) {
    m_downloads.insert(fileName);
    // "runways.csv: 1.2 of 4.0 MB", or without a size named by the server "runways.csv: 1.2 MB".
    QString text = fileName + QLatin1String(": ") + megabytes(received);
    if (total > 0) {
        text += QLatin1String(" of ") + megabytes(total);
        ProgressBar1->setRange(0, 1000);
        ProgressBar1->setValue(static_cast<int>(received * 1000 / total));
    } else {
        ProgressBar1->setRange(0, 0); // busy, without a share
    }
    text += QLatin1String(" MB");
    // The text is the bar's own, read as it stands; '%' would be read as a placeholder.
    ProgressBar1->setFormat(QString(text).replace(QLatin1Char('%'), QLatin1String("%%")));
    ProgressBar1->setAccessibleName(text);
    ProgressBar1->setToolTip(QLatin1String("Fetching ") + text);
    ProgressBar1->setVisible(true);
}

void Form1::endDownload(const QString &fileName) {
    m_downloads.remove(fileName);
    if (m_downloads.isEmpty()) {
        ProgressBar1->setVisible(false);
        ProgressBar1->setAccessibleName(QStringLiteral("Download"));
    }
}

void Form1::buildBoard() {
    Builder b{this};
    Label6 =
        b.label("Label6",
                "            Callsign                    Dest               via         Squawk  "
                "                       Remarks",
                120, 1470, 9495, 210);
    static const char *const kFaNames[kRows] = {"Command29", "Command27", "Command28", "Command30",
                                                "Command31", "Command32", "Command33"};
    static const char *const kDelNames[kRows] = {"Command17", "Command11", "Command12", "Command13",
                                                 "Command14", "Command15", "Command16"};
    for (int r = 0; r < kRows; ++r) {
        const int top = 1680 + 420 * r;
        const QString n = QString::number(r + 1);
        Text7[r] = b.field(controlName("Text7", r), "Callsign row " + n, 120, top, 2175, 360);
        Text8[r] = b.field(controlName("Text8", r), "Dest row " + n, 2400, top, 1215, 375);
        Text9[r] = b.field(controlName("Text9", r), "via row " + n, 3720, top, 1095, 375);
        Text10[r] = b.field(controlName("Text10", r), "Squawk row " + n, 4920, top, 735, 375);
        Text11[r] = b.field(controlName("Text11", r), "Remarks row " + n, 5760, top, 3855, 375);
        fa[r] = b.button(kFaNames[r], "Fa", 9720, top, 420, 375);
        fa[r]->setAccessibleName("Fa row " + n);
        if (r > 0) {
            first[r] =
                b.button(QStringLiteral("Command%1").arg(20 + r), "1.", 10200, top, 420, 375);
            first[r]->setAccessibleName("1. row " + n);
        }
        del[r] = b.button(kDelNames[r], "Lö", 10680, top, 375, 375);
        del[r]->setAccessibleName("Lö row " + n);
    }
    Command19 = b.button("Command19", "A", 10680, 4620, 375, 580,
                         "deletes all flightstrips without saving to the LOG-File");
    Label11 = b.label("Label11", "fli plan rout  /  PB-ST", 120, 4620, 2500, 225);
    Text16 = b.panel("Text16", "Flight plan route and remarks", 120, 4830, 5175, 390);
    Label12 = b.label("Label12", "APP", 5400, 4620, 600, 225);
    Text17 = b.field("Text17", "Departure aerodrome", 5400, 4830, 600, 315);
    Label13 = b.label("Label13", " PILOT", 6060, 4620, 720, 225);
    Label3 = b.label("Label3", "initial climb", 6840, 4620, 960, 225);
    Text12 = b.field("Text12", "Initial climb", 6840, 4830, 735, 315);
    Text12->setText(QStringLiteral("4000"));
    Label4 = b.label("Label4", "Next Squawk", 7800, 4620, 1260, 225);
    Text13 = b.field("Text13", "Next Squawk", 7800, 4830, 735, 315, "next usable Squawk");
    Command38 = b.button("Command38", "S", 8565, 4830, 300, 315, "Start-Squawk");
    Command20 = b.button("Command20", "L", 8895, 4830, 300, 315, "Last Squawk");
    Command5 =
        b.button("Command5", "Today", 9270, 4935, 780, 300, "shows all flightstrips from today");
    for (QWidget *w : {Label3, Label1, Label11, Label12, Label13})
        w->setVisible(false);
    Text16->setVisible(false);
    Text17->setVisible(false);
}

void Form1::buildPanels() {
    Builder b{this};
    Label20 = b.label("Label20", "", 0, 6480, 6975, 375);
    Label20->setAutoFillBackground(true);
    Combo2 = levelList(this, "Combo2", "IFR 180°-359°", 100, 40, 430);
    Combo1 = levelList(this, "Combo1", "IFR 000°-179°", 1800, 50, 450);
    Combo3 = levelList(this, "Combo3", "VFR 180°-359°", 3480, 45, 435);
    Combo4 = levelList(this, "Combo4", "VFR 000°-179°", 5280, 55, 455);

    Text14 = b.panel("Text14", "via help", 1995, 5880, 7575, 5250);
    Text14->setText(viaHelpText());
    Text15 = b.panel("Text15", "Help", 1995, 5880, 7575, 5250);
    Text15->setText(generalHelpText());
    Text19 = b.panel("Text19", "Weather of three airports", 120, 9120, 7000, 1000);
    Text20 = b.panel("Text20", "Airport traffic", 2415, 1680, 2700, 2100);
    Text20->setVisible(false);
    Text21 = b.panel("Text21", "ILS information and controllers", 120, 6480, 7000, 1600);
    Text22 = b.field("Text22", "Update notice", 5160, 7320, 4200, 300);
    Text22->setText(QStringLiteral("Ja, das Update V4.0 liegt vor !"));
    Text22->setReadOnly(true);
    Text22->setStyleSheet(QStringLiteral("color: blue; background: #ffffe0;"));
    Text23 = b.panel("Text23", "ATC client shortcut", 0, 1320, 11145, 360);
    Text23->setStyleSheet(QStringLiteral("color: #ff0000; background: #c0ffff;"));
    Text23->setVisible(false);
    for (QWidget *w :
         std::initializer_list<QWidget *>{Text19, Text21, Text22, Text14, Text15, Text20, Text23})
        w->raise();
}

void Form1::buildTimers() {
    auto timer = [this](const char *name, int interval, bool running) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(interval);
        if (running)
            t->start();
        return t;
    };
    Timer1 = timer("Timer1", 1000, false);
    Timer2 = timer("Timer2", 60000, true);
    Timer3 = timer("Timer3", 500, true);
    Timer4 = timer("Timer4", 2000, false);
    Timer5 = timer("Timer5", 2000, true);
    Timer6 = timer("Timer6", 1000, false);
}

void Form1::setHeightTwips(int twips) {
    const bool changed = twips != m_heightTwips;
    m_heightTwips = twips;
    setFixedSize(px(kWidthTwips), px(std::max(0, twips - kFrameTwips)));
    if (changed)
        emit heightChanged();
}

int Form1::leftTwips() const {
    return tarvos::twips(frameGeometry().x());
}
int Form1::topTwips() const {
    return tarvos::twips(frameGeometry().y());
}
void Form1::moveTwips(int left, int top) {
    move(px(left), px(top));
}

// The twip position is kept with the control, since 15 twips to the pixel does not give every
// twip value back from its pixel.
void Form1::setTopTwips(QWidget *control, int top) {
    control->setProperty("topTwips", top);
    control->move(control->x(), px(top));
}

int Form1::topTwipsOf(const QWidget *control) {
    const QVariant top = control->property("topTwips");
    if (top.isValid() && px(top.toInt()) == control->y())
        return top.toInt();
    return tarvos::twips(control->y());
}
void Form1::setLeftTwips(QWidget *control, int left) {
    control->move(px(left), control->y());
}

void Form1::mousePressEvent(QMouseEvent *event) {
    if (childAt(event->position().toPoint()) == nullptr)
        emit backgroundPressed();
    QWidget::mousePressEvent(event);
}

void Form1::closeEvent(QCloseEvent *event) {
    emit closing();
    event->accept();
}

void Form1::showConfirmation() {
    Label18->hide();
    Label19->show();
    Timer6->setInterval(1000);
    Timer6->start();
}

void Form1::endConfirmation() {
    Label19->hide();
    Label18->show();
    Timer6->stop();
}

} // namespace tarvos

#include "strips/form3.h"

#include "console/datadir.h"
#include "console/twips.h"
#include "platform/platform.h"
#include "strips/striplog.h"

#include <QFontDatabase>

namespace tarvos {

Form3::Form3(const DataDir &data, const Clock &clock, const ScreenInfo &screen, QWidget *parent)
    : QWidget(parent, Qt::Window), m_data(data), m_clock(clock) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tarvos"));
    setAccessibleName(QStringLiteral("Alle Flugstreifen von heute"));
    setFont(consoleFont());
    setFixedSize(px(kWidthTwips), px(kHeightTwips));

    Label1 = new Caption(QStringLiteral("Alle Flugstreifen von heute"), this);
    nameControl(Label1, QStringLiteral("Label1"), QString());
    Label1->setGeometry(pxRect(120, 60, 6000, 255));

    Text1 = new Panel(this);
    nameControl(Text1, QStringLiteral("Text1"), QStringLiteral("Today's strips"));
    Text1->setGeometry(pxRect(120, 360, 11760, 3180));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The log's columns line up only in a fixed-pitch font.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(11);
    Text1->setFont(fixed);

    Label2 = new Caption(aircraftCountText(0), this);
    nameControl(Label2, QStringLiteral("Label2"), QString());
    Label2->setGeometry(pxRect(120, 3690, 3000, 255));

    Command1 = new Button(QStringLiteral("zurück"), this);
    nameControl(Command1, QStringLiteral("Command1"), QString());
    Command1->setGeometry(pxRect(10380, 3630, 1500, 375));
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &Form3::testit);

    const int screenWidth = screen.sizePixels().width();
    move((screenWidth - width()) / 2, px(kCreatedTopTwips));
    Timer1->start();
}

void Form3::testit() {
    m_count = 0;
    Label2->setText(aircraftCountText(0));
    Text1->setText(QString());
    const QDate today = m_clock.now().date();
    const DataDir::ReadResult log = m_data.lines(kLogFileName);
    if (log.status != DataDir::Status::Ok)
        return;
    const QStringList lines = todaysLogLines(log.lines, today);
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    Text1->setText(text);
    m_count = static_cast<int>(lines.size());
    Label2->setText(aircraftCountText(m_count));
}

void Form3::showToday(const QWidget &mainWindow) {
    const QRect frame = mainWindow.frameGeometry();
    move(x(), frame.top() + frame.height() + px(kGapTwips));
    show();
    Timer1->start();
}

} // namespace tarvos

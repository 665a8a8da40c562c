#include "console/form2.h"
#include "console/networkconfig.h"
#include "console/twips.h"
#include "fakes/consolefixture.h"
#include "weather/weathercontroller.h"

#include <QAbstractButton>
#include <QTimer>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

QString captionOf(QWidget *w) {
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    return QString();
}

} // namespace

TEST_F(ConsoleTest, FirstStartWithoutSquawkFile) {
    start();
    Form1 &f = form();
    EXPECT_EQ(f.Text6->text(), "EDDT");
    EXPECT_EQ(f.Text13->text(), "");
    EXPECT_EQ(console->state().atisnumber, 1);
    EXPECT_EQ(console->state().autoatisicao, "EDDT");
    EXPECT_EQ(f.Label18->text(), console->state().voicehost.left(5));
    EXPECT_TRUE(fake.messages.shown.isEmpty()) << "start-up shows no message";
    console->shutdown();
    EXPECT_EQ(fileBytes(dataPath("squawk.txt")), QByteArray("\r\n\r\nEDDT\r\n 1 \r\n"));
}

TEST_F(ConsoleTest, SquawkFileIsReadAndWrittenBack) {
    writeFile(dataPath("squawk.txt"), "5051\r\n5103\r\nEDDB\r\n 3 \r\n");
    start();
    EXPECT_EQ(form().Text6->text(), "EDDB");
    EXPECT_EQ(form().Text13->text(), "5103");
    EXPECT_EQ(console->state().autoatisicao, "EDDB");
    EXPECT_EQ(console->state().atisnumber, 3);
    form().Text13->setText("5104");
    console->shutdown();
    console->shutdown();
    EXPECT_EQ(fileBytes(dataPath("squawk.txt")), QByteArray("5051\r\n5104\r\nEDDB\r\n 3 \r\n"));
}

TEST_F(ConsoleTest, ShutdownRunsOnceWhicheverWayTheConsoleEnds) {
    start();
    int ended = 0;
    QObject::connect(console.get(), &Console::shutDown, [&] { ++ended; });
    form().close();
    console->shutdown();
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(QFile::exists(dataPath("squawk.txt")));
}

TEST_F(ConsoleTest, BadSquawkFilesNeitherCrashNorLoseTheNextSave) {
    struct Case {
        const char *name;
        QByteArray bytes;
        const char *next;
        const char *icao;
        int atis;
    } cases[] = {
        {"empty", "", "", "EDDT", 1},
        {"three lines", "1\r\n2\r\nEDDI\r\n", "2", "EDDI", 1},
        {"word on line 4", "1\r\n2\r\nEDDB\r\nBravo\r\n", "2", "EDDB", 0},
        {"lf only, no final end", "4401\n4402\nEDDT\n 7 ", "4402", "EDDT", 7},
        {"binary", QByteArray("\x00\xff\x01\r\n\x80\x81", 7), "\xe2\x82\xac\xc2\x81", "EDDT", 1},
        {"a megabyte on one line", QByteArray(1 << 20, 'x'), "", "EDDT", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dataPath("squawk.txt"), c.bytes);
        start();
        EXPECT_EQ(form().Text13->text(), QString::fromUtf8(c.next));
        EXPECT_EQ(form().Text6->text(), QString::fromLatin1(c.icao));
        EXPECT_EQ(console->state().atisnumber, c.atis);
        console->shutdown();
        const QByteArray saved = fileBytes(dataPath("squawk.txt"));
        EXPECT_EQ(saved.count("\r\n"), 4);
        EXPECT_TRUE(
            saved.endsWith(QByteArray("\r\n") + QByteArray::number(c.atis).prepend(' ') + " \r\n"));
        console.reset();
    }
}

TEST_F(ConsoleTest, WindowStartsShortCentredAtTheTopAndOnTop) {
    fake.screen.size = QSize(1280, 1024);
    start();
    Form1 &f = form();
    EXPECT_EQ(f.heightTwips(), 1760);
    EXPECT_EQ(f.height(), px(1760 - Form1::kFrameTwips));
    EXPECT_EQ(f.width(), px(11145));
    EXPECT_EQ(f.frameGeometry().y(), 0);
    EXPECT_EQ(f.frameGeometry().x(), (1280 - f.frameGeometry().width()) / 2);
    EXPECT_TRUE(fake.stacking.isTopmost(&f));
    EXPECT_TRUE(f.Check1->isChecked());
    f.Check1->click();
    EXPECT_FALSE(fake.stacking.isTopmost(&f));
    f.Check1->click();
    EXPECT_TRUE(fake.stacking.isTopmost(&f));
}

TEST_F(ConsoleTest, TimersHaveTheirIntervalsAndStartStates) {
    start();
    struct Case {
        const char *name;
        int interval;
        bool running;
    } cases[] = {{"Timer1", 1000, false}, {"Timer2", 60000, true}, {"Timer3", 500, true},
                 {"Timer4", 2000, false}, {"Timer5", 2000, true},  {"Timer6", 1000, false}};
    for (const Case &c : cases) {
        auto *t = form().findChild<QTimer *>(c.name);
        ASSERT_NE(t, nullptr) << c.name;
        EXPECT_EQ(t->interval(), c.interval) << c.name;
        EXPECT_EQ(t->isActive(), c.running) << c.name;
    }
}

TEST_F(ConsoleTest, AutoAtisTimersCallTheCycle) {
    // A source that answers: after a try without a METAR the cycle would come every minute.
    fake.transfer.setBody(QUrl(metarUrl(defaultNetworkSettings().metarNetwork, "EDDT")),
                          "EDDT 081020Z 27012KT 9999 Q1013\n");
    start();
    int runs = 0;
    QObject::connect(&console->weather(), &WeatherController::autoAtisDue, [&] { ++runs; });
    tick(form().Timer3);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(form().Timer3->isActive()) << "one-shot";
    for (int i = 0; i < 9; ++i)
        tick(form().Timer2);
    EXPECT_EQ(runs, 1);
    tick(form().Timer2);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(console->state().autoatisminutes, 0);
}

TEST_F(ConsoleTest, ControlsHaveTheirCaptionsTooltipsAndNames) {
    start();
    struct Case {
        const char *name;
        const char *caption;
        const char *tooltip;
    } cases[] = {
        {"Command8", "DEP", "shows the flight-strips and METAR"},
        {"Command19", "A", "deletes all flightstrips without saving to the LOG-File"},
        {"Command9", "Mini", "minimize the window"},
        {"Command34", "via Hlp", "Hilfe über SID's und Shortcuts"},
        {"Command35", "Help", "Hilfe Menü"},
        {"Command43", "IFR / VFR", "Shows even and odd FL's"},
        {"Command39", "Timer", "timer for separation or other things"},
        {"Command38", "S", "Start-Squawk"},
        {"Command20", "L", "Last Squawk"},
        {"Command5", "Today", "shows all flightstrips from today"},
        {"Command7", "Log", "open the LOG-File"},
        {"Command18", "ATIS", "get the METAR from the clipboard"},
        {"Command10", "TWR", "Bereitet den ATIS für den Pro-Controller vor"},
        {"Command37", "APP", "Bereitet den ATIS für den Pro-Controller vor"},
        {"Command40", "AutoAtis", "gets the METAR every 10 minutes and updates the informations"},
        {"Command36", "GND", "shows the ground info window"},
        {"Command3", "Controller", "Shows all activ controllers"},
        {"Command4", "U", "checks for update"},
        {"Command6", "ILS-Info", "shows ILS-Infos"},
        {"Command41", "3", "shows the wind and QNH from 3 airports"},
        {"Command1", "ATC", ""},
        {"Command2", "Con", ""},
        {"Command17", "Lö", ""},
        {"Command29", "Fa", ""},
        {"Command26", "1.", ""},
        {"Check1", "", "with hook : window allways on top"},
        {"Check2", "", "auto-dest activ/deactiv"},
        {"Check3", "", "with hook: METAR from IVAO / without hook: METAR from NOAA"},
        {"Text6", "EDDT", "enter the ICAO-Code here"},
        {"Text12", "4000", ""},
        {"Text13", "", "next usable Squawk"},
        {"Text18", "-", "ATIS Information A-Z"},
        {"Label18", "derw.", "Roger-Wilko / Team-Speak Channel"},
        {"Label8", "EDDT", "on dbl-click : open one flight-strip"},
        {"Label10", "^ verstecken", "Hier anklicken, um die Flugstreifen wieder zu verstecken"},
        {"Label2", "TL",
         "The TL is calculated by the QNH with TA=5000ft / dbl-click : shows 2 flight-strips"},
        {"Label14", "  Wind      kts        QNH        Land  TakeOff", ""},
        {"Label1", "Flugstreifen", ""},
        {"Label3", "initial climb", ""},
        {"Label4", "Next Squawk", ""},
        {"Label11", "fli plan rout  /  PB-ST", ""},
        {"Label12", "APP", ""},
        {"Label13", " PILOT", ""},
    };
    for (const Case &c : cases) {
        auto *w = form().findChild<QWidget *>(c.name);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(captionOf(w), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(c.tooltip)) << c.name;
    }
    EXPECT_EQ(form().windowTitle(), "Tarvos V7.4");
    EXPECT_TRUE(form().Label1->isHidden());
    EXPECT_TRUE(form().Label19->isHidden());
}

TEST_F(ConsoleTest, StripBoardGeometryFollowsTheRowPitch) {
    start();
    const char *const del[] = {"Command17", "Command11", "Command12", "Command13",
                               "Command14", "Command15", "Command16"};
    const char *const fa[] = {"Command29", "Command27", "Command28", "Command30",
                              "Command31", "Command32", "Command33"};
    for (int r = 0; r < 7; ++r) {
        const int top = px(1680 + 420 * r);
        struct Column {
            const char *name;
            int left, width, height;
        } columns[] = {{"Text7", 120, 2175, 360},
                       {"Text8", 2400, 1215, 375},
                       {"Text9", 3720, 1095, 375},
                       {"Text10", 4920, 735, 375},
                       {"Text11", 5760, 3855, 375}};
        for (const Column &c : columns) {
            const QString name = QStringLiteral("%1(%2)").arg(c.name).arg(r);
            auto *w = form().findChild<QWidget *>(name);
            ASSERT_NE(w, nullptr) << name;
            EXPECT_EQ(w->geometry(), QRect(px(c.left), top, px(c.width), px(c.height))) << name;
        }
        EXPECT_EQ(form().findChild<QWidget *>(del[r])->x(), px(10680));
        EXPECT_EQ(form().findChild<QWidget *>(fa[r])->x(), px(9720));
        if (r > 0) {
            EXPECT_EQ(form().findChild<QWidget *>(QStringLiteral("Command%1").arg(20 + r))->x(),
                      px(10200));
        }
    }
    EXPECT_EQ(form().Text7[3]->accessibleName(), "Callsign row 4");
}

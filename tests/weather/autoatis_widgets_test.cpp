// AutoAtis and the three-airport overview on the console, with a transfer that answers at once
// from canned pages: the cycle of the timers, typed codes, both sources, the runs that find no
// report, bad pages, downloads that take their time, and the overview's rows.
#include "console/form2.h"
#include "console/networkconfig.h"
#include "fakes/consolefixture.h"
#include "weather/autoatiscontroller.h"
#include "weather/runway.h"
#include "weather/tlfile.h"

#include <QTest>

// Failed comparisons name the URL.
inline void PrintTo(const QUrl &url, std::ostream *os) {
    *os << url.toString().toStdString();
}

using namespace tarvos;
using namespace tarvos::testing;

namespace {

QUrl networkUrl(const QString &code) {
    return QUrl(metarUrl(defaultNetworkSettings().metarNetwork, code));
}
QUrl noaaUrl(const QString &code) {
    return QUrl(metarUrl(defaultNetworkSettings().metarNoaa, code));
}
QByteArray stationFile(const QByteArray &report) {
    return "2026/12/08 10:20\n" + report + "\n";
}

class AutoAtisTest : public ConsoleTest {
protected:
    // The console after start-up with squawk.txt (home airport and letter number), rwy.txt and
    // tl.txt in place; Timer3's first run has not happened yet.
    void startWith(const QByteArray &home, int atisnumber) {
        writeFile(dataPath("squawk.txt"),
                  "1000\r\n1001\r\n" + home + "\r\n " + QByteArray::number(atisnumber) + " \r\n");
        DataDir(tmp.path()).replace("rwy.txt", rwyDefaultFile().lines);
        DataDir(tmp.path()).replace("tl.txt", tlDefaultFile().lines);
        start();
    }
    QStringList row() {
        Form1 &f = form();
        return {f.Text1->text(), f.Text2->text(), f.Text3->text(),  f.Text4->text(),
                f.Text5->text(), f.Text6->text(), f.Label8->text(), f.Text18->text()};
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick(form().Timer2);
    }
    void enter(const QString &typed) {
        Field *field = form().Text6;
        field->clear();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
    }
    qsizetype fetches() const { return fake.transfer.requested.size(); }
};

const QByteArray kSchoenefeld = "EDDB 081020Z 26010KT 9999 Q1012";

} // namespace

TEST_F(AutoAtisTest, StartRunTenthMinuteButtonRunAndAFailedRun) {
    startWith("EDDB", 3);
    Form1 &f = form();
    EXPECT_EQ(f.Label8->text(), "EDDB") << "the airport label starts with the saved home";
    fake.transfer.setBody(networkUrl("EDDB"), stationFile(kSchoenefeld));

    // Half a second after start: the first run, new, but without the reminder.
    tick(f.Timer3);
    EXPECT_FALSE(f.Timer3->isActive());
    EXPECT_EQ(fake.transfer.requested, QList<QUrl>{networkUrl("EDDB")});
    EXPECT_EQ(row(), QStringList({"260", "10", "1012", "25L", "25L", "10:20", "EDDB", "C"}));
    EXPECT_EQ(console->state().atisnumber, 4);
    EXPECT_EQ(f.Label16->text(), kSchoenefeld);
    EXPECT_EQ(fake.clipboard.text(), "1020Z 26010KT 9999 Q1012");
    EXPECT_TRUE(f.Timer2->isActive());
    EXPECT_EQ(f.Shape1->fillColour(), kBrightGreen);
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_TRUE(fake.messages.shown.isEmpty());
    Form2 &mini = console->form2();
    EXPECT_EQ(QStringList({mini.Text4->text(), mini.Text7->text(), mini.Label4->text()}),
              QStringList({"25L", "C", "EDDB"}));

    // The tenth minute fetches again; the same observation is not announced.
    ticks(9);
    EXPECT_EQ(fetches(), 1);
    ticks(1);
    EXPECT_EQ(fetches(), 2);
    EXPECT_EQ(row(), QStringList({"260", "10", "1012", "25L", "25L", "10:20", "EDDB", "C"}));
    EXPECT_EQ(fake.beeper.beeps, 1);

    // A run by hand in the fifth minute with a new observation: letter, beep and reminder; the
    // counter goes on, so the next run is still at the tenth minute.
    ticks(5);
    fake.transfer.setBody(networkUrl("EDDB"), stationFile("EDDB 081050Z 09005KT 9999 Q1014"));
    f.Command40->click();
    EXPECT_EQ(row(), QStringList({"090", "05", "1014", "07R", "07R", "10:50", "EDDB", "D"}));
    EXPECT_EQ(fake.beeper.beeps, 2);
    EXPECT_EQ(fake.messages.shown, QStringList{AutoAtisController::reminderText()});
    EXPECT_EQ(fake.messages.opened, fake.messages.shown) << "the reminder does not wait for OK";
    EXPECT_EQ(fake.messages.icons.value(0), MessageBox::Icon::Information);
    ticks(4);
    EXPECT_EQ(fetches(), 3);
    ticks(1);
    EXPECT_EQ(fetches(), 4);

    // A failed download: the row stays as it was, the lamp turns amber; the next minute asks
    // for the same airport again, whose unchanged report is not new either.
    fake.transfer.setFailure(networkUrl("EDDB"), "time-out");
    ticks(10);
    EXPECT_EQ(row(), QStringList({"090", "05", "1014", "07R", "07R", "10:50", "EDDB", "D"}));
    EXPECT_EQ(console->state().atisnumber, 5);
    EXPECT_TRUE(f.Timer2->isActive());
    EXPECT_EQ(f.Shape1->fillColour(), kAmber);
    fake.transfer.setBody(networkUrl("EDDB"), stationFile("EDDB 081050Z 09005KT 9999 Q1014"));
    ticks(1);
    EXPECT_EQ(f.Shape1->fillColour(), kBrightGreen);
    EXPECT_EQ(fake.transfer.requested.last(), networkUrl("EDDB"));
    EXPECT_EQ(row(), QStringList({"090", "05", "1014", "07R", "07R", "10:50", "EDDB", "D"}));
    EXPECT_EQ(fake.beeper.beeps, 2);
    EXPECT_EQ(fake.messages.shown.size(), 1);
}

TEST_F(AutoAtisTest, TypedCodesClickAndTheSavedHomeAirport) {
    startWith("EDDT", 1);
    Form1 &f = form();
    const ConsoleState &s = console->state();
    fake.transfer.setBody(networkUrl("EDDB"), stationFile(kSchoenefeld));

    QTest::mouseClick(f.Text6, Qt::LeftButton);
    EXPECT_EQ(f.Text6->text(), "") << "a code is emptied for the next one";
    enter("eddb");
    EXPECT_EQ(s.autoatisicao, "EDDB");
    EXPECT_EQ(s.noaasearchicao, "EDDB");
    EXPECT_EQ(fake.transfer.requested.last(), networkUrl("EDDB"));
    EXPECT_EQ(f.Label8->text(), "EDDB");
    EXPECT_EQ(s.homeicao, "EDDB");
    QTest::mouseClick(f.Text6, Qt::LeftButton);
    EXPECT_EQ(f.Text6->text(), "10:20") << "a time stays";

    // Three letters are a search code only; the airport stays.
    enter("edd");
    EXPECT_EQ(s.autoatisicao, "EDDB");
    EXPECT_EQ(s.noaasearchicao, "EDD");
    EXPECT_EQ(fake.transfer.requested.last(), networkUrl("EDDB"));

    QTest::mouseDClick(f.Text6, Qt::LeftButton);
    EXPECT_EQ(f.Text6->text(), "");
    console->shutdown();
    EXPECT_EQ(fileBytes(dataPath("squawk.txt")).split('\n').value(2), "EDDB\r");
}

TEST_F(AutoAtisTest, SecondSourceSearchCodeBeforeAndAfterTheCheckBox) {
    startWith("EDDT", 1);
    Form1 &f = form();
    // A page of several stations separated by <BR>, as the old page was.
    fake.transfer.setBody(noaaUrl("EDDT"), "EDDB 081020Z 26010KT Q1012<BR>EDDT 081020Z "
                                           "27012KT 9999 Q1013<BR>");
    f.Check3->setChecked(false); // unticked without a click: the search code stays empty
    f.Command40->click();
    EXPECT_EQ(f.Text6->text(), "EDDT") << "cut at the first <BR>: no Tegel report";
    EXPECT_EQ(f.Shape1->fillColour(), kAmber);
    EXPECT_EQ(fake.beeper.beeps, 0);

    f.Check3->click();
    f.Check3->click(); // unticked again, the search code now the airport
    EXPECT_FALSE(f.Check3->isChecked());
    EXPECT_EQ(console->state().noaasearchicao, "EDDT");
    f.Command40->click();
    EXPECT_EQ(row(), QStringList({"270", "12", "1013", "26R", "26L", "10:20", "EDDT", "A"}));
    EXPECT_EQ(fake.clipboard.text(), "1020Z 27012KT 9999 Q1013");

    // Today's plain answer: no <BR>, a leading "METAR ", found with any search code.
    fake.transfer.setBody(noaaUrl("EDDT"), "METAR EDDT 081050Z 28010KT Q1011\n");
    f.Command40->click();
    EXPECT_EQ(f.Label16->text(), "EDDT 081050Z 28010KT Q1011");
    EXPECT_EQ(f.Text18->text(), "B");
}

TEST_F(AutoAtisTest, PagesWithoutAReportAndBadPages) {
    startWith("EDDT", 1);
    Form1 &f = form();
    const ConsoleState &s = console->state();
    fake.transfer.setBody(networkUrl("EDDT"), stationFile("EDDT 081020Z 27012KT 9999 Q1013"));
    tick(f.Timer3);
    ASSERT_EQ(row(), QStringList({"270", "12", "1013", "26R", "26L", "10:20", "EDDT", "A"}));
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) % 256);
    const QByteArray huge = QByteArray(10 * 1024 * 1024, 'x') + "\nEDDT 081120Z 25015KT Q1008\n";
    const QByteArray report300 = "EDDT 081150Z 24010KT 9999 RMK " + QByteArray(270, 'A');

    // Each answer in turn; `time` is the field afterwards (a failed try puts back the last
    // one), `letter` the ATIS letter, `reminders` the number of reminders so far (the first run
    // had none), `lamp` amber for a try that found no METAR.
    const struct {
        const char *name;
        std::optional<QByteArray> body; // nullopt: the download fails
        const char *time, *letter;
        qsizetype reminders;
        int lamp;
    } steps[] = {
        {"refused", std::nullopt, "10:20", "A", 0, kAmber},
        {"empty answer", "", "10:20", "A", 0, kAmber},
        {"date line only", "2026/12/08 10:20\n", "10:20", "A", 0, kAmber},
        {"HTML error page", "<html><body><h1>502 Bad Gateway</h1></body></html>", "10:20", "A", 0,
         kAmber},
        {"binary", binary, "10:20", "A", 0, kAmber},
        {"cut after the station", stationFile("EDDT "), "10:20", "A", 0, kAmber},
        {"same report again", stationFile("EDDT 081020Z 27012KT 9999 Q1013"), "10:20", "A", 0,
         kBrightGreen},
        {"NIL: no report", stationFile("EDDT 081050Z NIL"), "10:20", "A", 0, kAmber},
        {"10 MB page", huge, "11:20", "B", 1, kBrightGreen},
        {"300 characters", report300, "11:50", "C", 2, kBrightGreen},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        if (step.body)
            fake.transfer.setBody(networkUrl("EDDT"), *step.body);
        else
            fake.transfer.setFailure(networkUrl("EDDT"), "refused");
        f.Command40->click();
        EXPECT_EQ(f.Text6->text(), step.time);
        EXPECT_EQ(f.Shape1->fillColour(), step.lamp);
        EXPECT_EQ(f.Text18->text(), step.letter);
        EXPECT_EQ(f.Label8->text(), "EDDT");
        EXPECT_EQ(s.homeicao, "EDDT");
        EXPECT_EQ(fake.messages.shown.size(), step.reminders);
        EXPECT_EQ(fake.beeper.beeps, step.reminders + 1) << "one beep per new observation";
        EXPECT_TRUE(f.Timer2->isActive());
        EXPECT_LE(f.Label16->text().size(), 1024);
    }
    EXPECT_EQ(f.Label16->text(), QString::fromLatin1(report300)) << "300 characters kept whole";
}

TEST_F(AutoAtisTest, AnotherDownloadNoLongerStopsAutoAtisButItsOwnRunDoes) {
    startWith("EDDB", 1);
    Form1 &f = form();
    fake.transfer.setBody(networkUrl("EDDB"), stationFile(kSchoenefeld));
    fake.transfer.held.insert(networkUrl("EDDT")); // the overview waits for Tegel's page
    f.Command41->click();
    ticks(10);
    EXPECT_EQ(f.Text6->text(), "10:20") << "the tenth minute ran while the overview downloads";
    EXPECT_EQ(f.Label8->text(), "EDDB");
    // A run whose own download still runs is not started a second time.
    fake.transfer.held.insert(networkUrl("EDDB"));
    f.Command40->click();
    f.Command40->click();
    EXPECT_EQ(fake.transfer.requested.count(networkUrl("EDDB")), 2); // the first run and one press
    fake.transfer.held.clear();
    fake.transfer.release();
    EXPECT_EQ(f.Text6->text(), "10:20");
    EXPECT_FALSE(f.Text19->text().startsWith("Please wait")) << "the overview has its rows";
}

TEST_F(AutoAtisTest, OverviewCreatesMetarTxtAndShowsThreeRows) {
    startWith("EDDT", 1);
    Form1 &f = form();
    const auto pages = [&](const char *tegelWind) {
        fake.transfer.setBody(networkUrl("EDDT"),
                              stationFile("EDDT 081020Z " + QByteArray(tegelWind) + " 9999 Q1013"));
        fake.transfer.setBody(networkUrl("EDDI"), stationFile("EDDI 081020Z 26008KT A2992"));
        fake.transfer.setBody(networkUrl("EDDB"), stationFile(kSchoenefeld));
    };
    pages("27012KT");
    const QString clipboardBefore = fake.clipboard.text();
    f.Command41->click();
    EXPECT_EQ(fake.messages.shown,
              QStringList{"The file metar.txt has been created. If you do not controll in "
                          "Berlin, please change the metar.txt! Now, press this Button again!"});
    EXPECT_EQ(fileBytes(dataPath("metar.txt")),
              "EDDT\r\nEDDI\r\nEDDB\r\n\r\nHier m\xfcssen 3 ICAO-Codes eingetragen werden.\r\n"
              "Es werden auch nur insgesamt 3 angezeigt.\r\n");
    EXPECT_EQ(fake.transfer.requested,
              QList<QUrl>({networkUrl("EDDT"), networkUrl("EDDI"), networkUrl("EDDB")}));
    EXPECT_EQ(f.Text19->text(), " EDDT  10:20 Wind 270 @ 12  QNH 1013   LA=26R TO=26L\r\n"
                                " EDDI   10:20 Wind 260 @ 08  QNH 1013   RWY 27L\r\n"
                                " EDDB  10:20 Wind 260 @ 10  QNH 1012   RWY 25L");
    EXPECT_EQ(Form1::topTwipsOf(f.Text19), 0);
    EXPECT_EQ(Form1::topTwipsOf(f.Label2), 1080);
    EXPECT_EQ(fake.clipboard.text(), clipboardBefore);
    EXPECT_EQ(f.Text6->text(), "EDDT") << "the weather row is not touched";

    // A wind straight across is easterly here; the second source's pages are cut at their code.
    pages("17012KT");
    f.Check3->setChecked(false);
    fake.transfer.setBody(noaaUrl("EDDT"), "EDDT 081020Z 17012KT 9999 Q1013<BR>");
    fake.transfer.setBody(noaaUrl("EDDI"), "x<BR>EDDI 081020Z 18008KT Q1013");
    fake.transfer.setBody(noaaUrl("EDDB"), "EDDB 081020Z 16010KT Q1012");
    f.Command41->click();
    EXPECT_EQ(f.Text19->text(), " EDDT  10:20 Wind 170 @ 12  QNH 1013   LA=08L TO=08R\r\n"
                                " EDDI   10:20 Wind 180 @ 08  QNH 1013   RWY 09R\r\n"
                                " EDDB  10:20 Wind 160 @ 10  QNH 1012   RWY 07R");
    EXPECT_EQ(fake.messages.shown.size(), 1);

    QTest::mouseDClick(f.Text19->viewport(), Qt::LeftButton);
    EXPECT_EQ(Form1::topTwipsOf(f.Text19), 9120);
    EXPECT_EQ(Form1::topTwipsOf(f.Label2), 630);
}

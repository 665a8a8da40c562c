// AutoAtis and the overview over real HTTP against the recorded network on 127.0.0.1: both
// sources, a station without report, closing the console while a download runs, and (disabled by
// default) a soak of 2,000 runs against answers that are good, slow, failing and garbage.
#include "console/networkconfig.h"
#include "fakes/consolefixture.h"
#include "netsimserver.h"
#include "platform/qthttptransfer.h"
#include "weather/autoatiscontroller.h"
#include "weather/runway.h"
#include "weather/tlfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <chrono>
#include <cstdio>

using namespace tarvos;
using namespace tarvos::testing;
using namespace std::chrono_literals;

namespace {

const QString kStations = "/data/observations/metar/stations/";
const QDateTime kNow(QDate(2026, 12, 8), QTime(10, 25), Qt::UTC);
constexpr const char *kTegelTooOld =
    "the last report of EDDT is from 2014/12/18 07:50 UTC, 11 years old";

class AutoAtisNetTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        ASSERT_NE(server.start(), 0);
        // The console's clock and the recorded network's agree: the station files carry reports
        // of 10:20, Tegel's file its last one of 2014.
        fake.clock.current = kNow;
        server.setNow(kNow);
        fake.platform.transfer = &transfer;
        writeNetworkTxt(server);
        DataDir(tmp.path()).replace("rwy.txt", rwyDefaultFile().lines);
        DataDir(tmp.path()).replace("tl.txt", tlDefaultFile().lines);
    }
    void writeNetworkTxt(const NetsimServer &at, bool openData = false) {
        const QByteArray base = at.url("/").toString().chopped(1).toUtf8();
        writeFile(dataPath(kNetworkFileName),
                  "metar-network=" + base + kStations.toUtf8() + "{code}.TXT\n" +
                      "metar-noaa=" + base + "/api/data/metar?ids={code}&format=raw\n" +
                      (openData ? "airports=" + base + "/ourairports-data/\n" : QByteArray()));
    }
    // Waits until the download in progress has been handled.
    bool settled(int ms = 20000) {
        return QTest::qWaitFor([&] { return transfer.runningDownloads() == 0; }, ms);
    }
    QStringList row() {
        Form1 &f = form();
        return {f.Text1->text(), f.Text3->text(),  f.Text4->text(),
                f.Text6->text(), f.Label8->text(), f.Label16->text()};
    }

    NetsimServer server{TARVOS_NETSIM_RECORDED};
    QtHttpTransfer transfer{3000ms};
};

long peakKib() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

TEST_F(AutoAtisNetTest, BothSourcesAndTheOverviewOverHttp) {
    start();
    Form1 &f = form();
    // The start run half a second after start: Tegel's station file keeps its last report, from
    // before the airport closed, which is no current weather.
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Shape1->fillColour() == kAmber; }, 20000));
    ASSERT_TRUE(settled());
    EXPECT_TRUE(f.Shape1->failure().contains(kTegelTooOld)) << f.Shape1->failure().toStdString();
    EXPECT_EQ(f.Text1->text(), "");
    EXPECT_EQ(fake.beeper.beeps, 0);

    // Schoenefeld's AUTO report from the station file: row, runways and the tower ATIS.
    f.Text6->setText("EDDB");
    f.Command40->click();
    ASSERT_TRUE(settled());
    const QStringList schoenefeld{
        "160", "1016", "07R", "10:20", "EDDB", "EDDB 081020Z AUTO 16009KT CAVOK 18/13 Q1016 NOSIG"};
    EXPECT_EQ(row(), schoenefeld);
    EXPECT_EQ(f.Text2->text(), "09");
    EXPECT_EQ(f.Label2->text(), "TL60");
    EXPECT_EQ(f.Shape1->fillColour(), kBrightGreen);
    EXPECT_EQ(fake.messages.shown.size(), 1) << "another airport is a new report";
    f.Command10->click();
    EXPECT_TRUE(fake.clipboard.text().contains("Time 1020 Zulu.\r\n"
                                               "RWY 07R for landing and take-off.\r\nTL60\r\n"
                                               "Wind is 160 at 09 CAVOK 18/13 Q1016 NOSIG\r\n"
                                               "NOTAM!"))
        << fake.clipboard.text().toStdString();

    // The second source's plain answer: the same observation, no reminder.
    const qsizetype shown = fake.messages.shown.size();
    f.Check3->click();
    f.Command40->click();
    ASSERT_TRUE(settled());
    EXPECT_EQ(row(), schoenefeld);
    EXPECT_EQ(server.requests("/api/data/metar"), 1);
    EXPECT_EQ(fake.messages.shown.size(), shown);

    // A station without report: the row and the field stay as they were.
    f.Text6->setText("EDDI");
    f.Command40->click();
    ASSERT_TRUE(settled());
    EXPECT_EQ(row(), QStringList({"160", "1016", "07R", "EDDI", "EDDB",
                                  "EDDB 081020Z AUTO 16009KT CAVOK 18/13 Q1016 NOSIG"}));
    EXPECT_EQ(f.Shape1->fillColour(), kAmber);

    // The overview from the station files: Tegel's is too old, Tempelhof has no report.
    f.Check3->click();
    server.setDelay(kStations + "EDDB.TXT", 300ms);
    f.Command41->click();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return f.Text19->text() == "Please wait, while getting data...   X X X"; }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Text19->text().startsWith(" EDDT"); }, 20000));
    EXPECT_EQ(f.Text19->text(), " EDDT  no METAR\r\n"
                                " EDDI   no METAR\r\n"
                                " EDDB  10:20 Wind 160 @ 09  QNH 1016   RWY 07R");
}

TEST_F(AutoAtisNetTest, OverviewOfOtherAirportsWithTheirOwnRunways) {
    writeFile(dataPath("metar.txt"), "EDDF\r\nEDDM\r\nEDDI\r\n");
    writeFile(dataPath("rwy.txt"), "EDDF 25C 18 \r\nEDDF 07C 18 \r\nEDDM 26R 26L\r\n");
    start().form1().Command41->click();
    const Panel *panel = form().Text19;
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->text().startsWith(" EDDF"); }, 20000));
    EXPECT_EQ(panel->text(), " EDDF  10:20 Wind 190 @ 10  QNH 1013   LA=25C TO=18 \r\n"
                             " EDDM   10:20 Wind 190 @ 06  QNH 1017   LA=26R TO=26L\r\n"
                             " EDDI  no METAR");

    // Today's forms: inches only, metres per second, a leading METAR word.
    writeFile(dataPath("metar.txt"), "KJFK\r\nUUEE\r\nLQSA\r\n");
    form().Command41->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->text().startsWith(" KJFK"); }, 20000));
    EXPECT_EQ(panel->text(), " KJFK  10:20 Wind 020 @ 08  QNH 1025   \r\n"
                             " UUEE   10:20 Wind 230 @ 10  QNH 1012   \r\n"
                             " LQSA  10:20 Wind VRB @ 01  QNH 1024   ");

    // Crossing runways by each row's wind; a variable wind takes the airport's first line.
    writeFile(dataPath("rwy.txt"),
              "KJFK 31L 31R\r\nKJFK 04R 04L\r\nLQSA 27  27 \r\nLQSA 09  09 \r\n");
    form().Command41->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->text().startsWith(" KJFK"); }, 20000));
    EXPECT_TRUE(
        panel->text().startsWith(" KJFK  10:20 Wind 020 @ 08  QNH 1025   LA=04R TO=04L\r\n"));
    EXPECT_TRUE(panel->text().endsWith("RWY 27 "));
}

TEST_F(AutoAtisNetTest, AnAirportAbroadWithCrossingRunwaysAndNoLevel) {
    writeFile(dataPath("rwy.txt"), "KJFK 31L 31R\r\nKJFK 04R 04L\r\nKJFK 22L 22R\r\n");
    start();
    Form1 &f = form();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Shape1->fillColour() == kAmber; }, 20000));
    ASSERT_TRUE(settled());
    f.Text6->setText("KJFK");
    f.Command40->click();
    ASSERT_TRUE(settled());
    EXPECT_EQ(f.Text4->text() + f.Text5->text() + f.Text3->text() + f.Label2->text(), "04R04L1025");
    EXPECT_TRUE(f.Label2->toolTip().startsWith("tl.txt has no transition level for KJFK"));
}

TEST_F(AutoAtisNetTest, AFailedTryKeepsTheWeatherAndTheNextComesAfterAMinute) {
    QTemporaryDir pages;
    QDir(pages.path()).mkpath(kStations.mid(1));
    const QString path = kStations + "EDDT.TXT";
    const auto page = [&](const QByteArray &body) { writeFile(pages.path() + path, body); };
    page("2026/12/08 10:20\nEDDT 081020Z 27012KT 9999 Q1013\n");
    NetsimServer own(pages.path());
    ASSERT_NE(own.start(), 0);
    writeNetworkTxt(own);
    start();
    Form1 &f = form();
    const auto weather = [&] {
        return QStringList{f.Text1->text(),  f.Text2->text(),   f.Text3->text(),
                           f.Text4->text(),  f.Text5->text(),   f.Text6->text(),
                           f.Label8->text(), f.Label16->text(), f.Text18->text()};
    };
    tick(f.Timer3);
    ASSERT_TRUE(settled());
    const QStringList good = weather();
    ASSERT_EQ(good.value(5), "10:20");

    // The tenth minute meets a failing server, then every next minute tries again.
    own.setDelay(path, 100ms);
    const struct {
        const char *name;
        int status;
        QByteArray body;
        const char *why;
    } tries[] = {
        {"HTTP 503", 503, "", "no answer from 127.0.0.1 (HTTP 503)"},
        {"empty page", 200, "", "the answer from 127.0.0.1 was empty"},
        {"no report of the station", 200, "2026/12/08 10:50\n", "holds none"},
        {"the last report of a closed airport", 200,
         "2014/12/18 07:50\nEDDT 180750Z 22007KT 9999 FEW020 BKN046 08/07 Q1009 NOSIG\n",
         kTegelTooOld},
    };
    for (const auto &t : tries) {
        SCOPED_TRACE(t.name);
        own.setStatus(path, t.status);
        page(t.body);
        const int requests = own.requests(path);
        for (int minute = 0; minute < (t.status == 503 ? 10 : 1); ++minute)
            tick(f.Timer2);
        EXPECT_EQ(f.Text6->text(), "Load") << "while it downloads";
        ASSERT_TRUE(settled());
        EXPECT_EQ(own.requests(path), requests + 1);
        EXPECT_EQ(weather(), good);
        EXPECT_EQ(f.Shape1->fillColour(), kAmber);
        EXPECT_TRUE(f.Shape1->failure().contains(t.why)) << f.Shape1->failure().toStdString();
        f.Command10->click();
        EXPECT_TRUE(fake.clipboard.text().contains("Expect ILS RWY 26R approach"))
            << "TWR has the runways of the kept row";
    }

    // A METAR again: the ten-minute cycle is back.
    own.clearOverrides();
    page("2026/12/08 10:50\nEDDT 081050Z 09005KT 9999 Q1014\n");
    tick(f.Timer2);
    ASSERT_TRUE(settled());
    EXPECT_EQ(weather().mid(3, 4), QStringList({"08L", "08R", "10:50", "EDDT"}));
    EXPECT_EQ(f.Shape1->fillColour(), kBrightGreen);
    EXPECT_TRUE(f.Shape1->toolTip().isEmpty());
    EXPECT_EQ(fake.messages.opened, QStringList{AutoAtisController::reminderText()});
    const int requests = own.requests(path);
    for (int minute = 0; minute < 9; ++minute)
        tick(f.Timer2);
    EXPECT_EQ(own.requests(path), requests);
    tick(f.Timer2);
    ASSERT_TRUE(settled());
    EXPECT_EQ(own.requests(path), requests + 1);
}

// The recorded network's extract of OurAirports' open data: the overview's airports that rwy.txt
// does not know get their lines, and the rows their runways, over HTTP.
TEST_F(AutoAtisNetTest, OverviewFillsItsAirportsFromTheOpenData) {
    writeNetworkTxt(server, true);
    writeFile(dataPath("metar.txt"), "KJFK\r\nUUEE\r\nLQSA\r\n");
    writeFile(dataPath("rwy.txt"), "EDDF 25C 18 \r\n");
    writeFile(dataPath("ICAO.txt"), "EDDF   Frankfurt\r\n");
    start().form1().Command41->click();
    const Panel *panel = form().Text19;
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->text().contains("RWY 11"); }, 20000))
        << panel->text().toStdString();
    EXPECT_EQ(panel->text(), " KJFK  10:20 Wind 020 @ 08  QNH 1025   RWY 04R\r\n"
                             " UUEE   10:20 Wind 230 @ 10  QNH 1012   RWY 24R\r\n"
                             " LQSA  10:20 Wind VRB @ 01  QNH 1024   RWY 11 ");
    const QByteArray rwy = fileBytes(dataPath("rwy.txt"));
    EXPECT_TRUE(rwy.startsWith("EDDF 25C 18 \r\nAdded from OurAirports")) << rwy.constData();
    for (const char *line :
         {"\r\nKJFK 04R 04R\r\n", "\r\nUUEE 24R 24R\r\n", "\r\nLQSA 11  11 \r\n"})
        EXPECT_TRUE(rwy.contains(line)) << line;
    EXPECT_EQ(fake.messages.shown.size(), 3);
    EXPECT_EQ(server.requests("/ourairports-data/runways.csv"), 1);
}

TEST_F(AutoAtisNetTest, ClosingTheConsoleWhileItDownloads) {
    server.setDelay(kStations + "EDDT.TXT", 10s);
    start();
    Form1 &f = form();
    QSignalSpy shutDowns(console.get(), &Console::shutDown);
    tick(f.Timer3);
    ASSERT_EQ(transfer.runningDownloads(), 1);
    f.close();
    EXPECT_EQ(transfer.runningDownloads(), 0) << "the download ends with the console";
    console->shutdown();
    EXPECT_EQ(shutDowns.count(), 1);
    EXPECT_EQ(fileBytes(dataPath("squawk.txt")).split('\n').value(2), "EDDT\r");
    EXPECT_EQ(f.Text6->text(), "Load");
    EXPECT_EQ(fake.beeper.beeps, 0);

    // A console destroyed without shutdown while its download runs: the download's end finds
    // nothing to write into.
    console = std::make_unique<Console>(fake.platform, tmp.path());
    console->startup();
    tick(form().Timer2);
    form().Command40->click();
    ASSERT_EQ(transfer.runningDownloads(), 1);
    console.reset();
    transfer.abort();
    QTest::qWait(10);
    EXPECT_TRUE(fake.messages.shown.isEmpty());
}

// Not in the normal run: --gtest_also_run_disabled_tests --gtest_filter='*Soak*'.
TEST_F(AutoAtisNetTest, DISABLED_SoakOf2000Runs) {
    QByteArray garbage(64 * 1024, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919 + i / 13) % 256);
    QTemporaryDir pages;
    QDir(pages.path()).mkpath(kStations.mid(1));
    const auto page = [&](const char *name, const QByteArray &body) {
        writeFile(pages.path() + kStations + name, body);
    };
    page("EDDT.TXT", "2026/12/08 10:20\nEDDT 081020Z 27012KT 9999 Q1013\n");
    page("EDDB.TXT", "2026/12/08 10:50\nEDDB 081050Z 09005KT 9999 Q1014\n");
    page("SLOW.TXT", "2026/12/08 10:50\nSLOW 081050Z 09005KT 9999 Q1014\n");
    page("FAIL.TXT", "2026/12/08 10:50\nFAIL 081050Z 09005KT 9999 Q1014\n");
    page("JUNK.TXT", garbage);
    NetsimServer soak(pages.path());
    ASSERT_NE(soak.start(), 0);
    soak.setDelay(kStations + "SLOW.TXT", 100ms);
    soak.setStatus(kStations + "FAIL.TXT", 500);
    writeNetworkTxt(soak);
    start();
    Form1 &f = form();
    f.Timer3->stop();
    const char *const codes[] = {"EDDT", "SLOW", "FAIL", "JUNK", "EDDB"};
    long afterTenth = 0;
    const int runs = qEnvironmentVariableIntValue("TARVOS_SOAK_RUNS") > 0
                         ? qEnvironmentVariableIntValue("TARVOS_SOAK_RUNS")
                         : 2000;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < runs; ++i) {
        console->state().autoatisicao = codes[i % 5];
        const qint64 before = clock.elapsed();
        f.Command40->click();
        ASSERT_TRUE(settled()) << "run " << i;
        if (clock.elapsed() - before > 1000)
            std::fprintf(stderr, "run %d (%s) took %lld ms\n", i, codes[i % 5],
                         clock.elapsed() - before);
        fake.messages.shown.clear();
        fake.messages.icons.clear();
        if (i == runs / 10 - 1)
            afterTenth = peakKib();
    }
    const long afterTenth0 = peakKib();
    std::fprintf(stderr,
                 "peak memory (VmHWM) after %d runs %ld KiB, after %d runs %ld KiB, %lld ms\n",
                 runs / 10, afterTenth, runs, afterTenth0, clock.elapsed());
    EXPECT_EQ(soak.requests(kStations + "EDDT.TXT"), (runs + 4) / 5);
    EXPECT_LT(afterTenth0 - afterTenth, 20 * 1024) << "peak memory grows with the runs";
}

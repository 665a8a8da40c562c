// The open data on the console: OurAirports' files fetched when an airport is unknown, kept whole
// in the data folder and fetched anew after 28 days, written into rwy.txt and ICAO.txt, and what
// the runway fields and the lamp then say. The transfer answers at once from real extracts.
#include "console/networkconfig.h"
#include "console/opendatastore.h"
#include "fakes/consolefixture.h"
#include "strips/aerodromelist.h"
#include "weather/runway.h"
#include "weather/runwaysource.h"
#include "weather/tlfile.h"

#include <QProgressBar>
#include <QTest>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

const QString kData = QStringLiteral("http://data.test/ourairports/");
const QUrl kRunways(kData + "runways.csv");
const QUrl kAirports(kData + "airports.csv");

QByteArray extract(const char *name) {
    return fileBytes(QStringLiteral(TARVOS_TEST_DATA "/") + QLatin1String(name));
}
const QByteArray kRunwaysCsv = extract("ourairports-runways-extract.csv");
const QByteArray kAirportsCsv = extract("ourairports-airports-icao-code-extract.csv");

QUrl stationUrl(const QString &code) {
    return QUrl(metarUrl(defaultNetworkSettings().metarNetwork, code));
}

// The fakes answer at once, so the copy is there when the call returns.
QCoro::Task<> copyInto(OpenDataStore &store, OpenDataFile file, OpenDataCopy &out) {
    out = co_await store.copy(file);
}
OpenDataCopy copyNow(OpenDataStore &store, OpenDataFile file = OpenDataFile::Runways) {
    OpenDataCopy out;
    copyInto(store, file, out);
    return out;
}

class OpenDataTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        writeFile(dataPath("network.txt"), "airports=" + kData.toUtf8() + "\n");
        DataDir(tmp.path()).replace("rwy.txt", rwyDefaultFile().lines);
        DataDir(tmp.path()).replace("tl.txt", tlDefaultFile().lines);
        fake.transfer.setBody(kRunways, kRunwaysCsv);
        fake.transfer.setBody(kAirports, kAirportsCsv);
    }
    // The console at `home`, after the first AutoAtis run on `report` (a station file's line).
    void startAt(const QByteArray &home, const QByteArray &report, const char *date = nullptr) {
        writeFile(dataPath("squawk.txt"), "1000\r\n1001\r\n" + home + "\r\n 1 \r\n");
        const QByteArray day =
            date ? QByteArray(date) : fake.clock.current.toString("yyyy/MM/dd HH:mm").toUtf8();
        fake.transfer.setBody(stationUrl(home), day + "\n" + report + "\n");
        start();
        tick(form().Timer3);
    }
    int fetchesOf(const QUrl &url) const { return fake.transfer.requested.count(url); }
};

} // namespace

TEST_F(OpenDataTest, AnAirportThatRwyTxtDoesNotKnowGetsItsRunwaysAtOnce) {
    const QByteArray before = fileBytes(dataPath("rwy.txt"));
    writeFile(dataPath("ICAO.txt"),
              "EDDF   Frankfurt\r\n"); // the controller's own: no airports.csv
    startAt("LEMD", "LEMD 071350Z 23011KT 9999 FEW022 17/12 Q1018 NOSIG");
    Form1 &f = form();

    const QString date =
        QFileInfo(dataPath("runways.csv")).lastModified().date().toString(Qt::ISODate);
    EXPECT_EQ(fileBytes(dataPath("rwy.txt")),
              before + RunwaySource::commentLine(QDate::fromString(date, Qt::ISODate)).toUtf8() +
                  "\r\nLEMD 18R 18R\r\nLEMD 36L 36L\r\nLEMD 14R 14R\r\nLEMD 32L 32L\r\n"
                  "LEMD 14L 14L\r\nLEMD 32R 32R\r\nLEMD 18L 18L\r\nLEMD 36R 36R\r\n")
        << "the old lines byte for byte, then the longest runway first, low end before high";
    EXPECT_EQ(fileBytes(dataPath("runways.csv")), kRunwaysCsv) << "kept whole under its name";
    EXPECT_EQ(fake.messages.shown, QStringList{RunwaySource::addedMessage("LEMD")});
    EXPECT_EQ(fake.messages.shown[0], "The runways of LEMD have been added to rwy.txt from "
                                      "OurAirports. Please check them.");
    // Chosen by the wind of this report, not at the next one.
    EXPECT_EQ(f.Text4->text(), "18L");
    EXPECT_EQ(f.Text4->toolTip(), "18L: headwind 7 kt, crosswind 8 kt from the right");
    EXPECT_EQ(f.Text5->accessibleDescription(), f.Text4->toolTip());
    EXPECT_EQ(fetchesOf(kAirports), 0);

    // The next report: the lines are there, nothing is fetched or told again.
    f.Command40->click();
    EXPECT_EQ(fetchesOf(kRunways), 1);
    EXPECT_EQ(fake.messages.shown.size(), 1);
}

TEST_F(OpenDataTest, AnAirportWithoutRunwaysInTheDataOrWithoutTheData) {
    writeFile(dataPath("ICAO.txt"), "EDDF   Frankfurt\r\n");
    const QByteArray before = fileBytes(dataPath("rwy.txt"));
    fake.transfer.setFailure(kRunways, "HTTP 404");
    startAt("LFPG", "LFPG 071330Z 27008KT CAVOK 10/05 Q1020");
    Form1 &f = form();
    EXPECT_EQ(f.Text4->toolTip(),
              "rwy.txt has no runway for LFPG, and runways.csv could not be fetched: no answer "
              "from data.test (HTTP 404).");
    EXPECT_FALSE(QFile::exists(dataPath("runways.csv")));

    // Within the hour the failed file is not fetched again; later it is.
    f.Command40->click();
    EXPECT_EQ(fetchesOf(kRunways), 1);
    fake.clock.current = fake.clock.current.addSecs(3700);
    fake.transfer.setBody(kRunways, kRunwaysCsv);
    f.Command40->click();
    EXPECT_EQ(fetchesOf(kRunways), 2);
    EXPECT_TRUE(
        f.Text4->toolTip().startsWith("rwy.txt and the open data (OurAirports' runways.csv of "));
    EXPECT_TRUE(f.Text4->toolTip().endsWith(") have no runway for LFPG."));
    EXPECT_EQ(fileBytes(dataPath("rwy.txt")), before);
    EXPECT_TRUE(fake.messages.shown.isEmpty());
}

TEST_F(OpenDataTest, AGoodCopyIsNeverReplacedByABadAnswerAndIsFetchedAnewAfter28Days) {
    const QByteArray html = "<!DOCTYPE html>\n<html><body>Site not found</body></html>\n";
    QByteArray renamed = kRunwaysCsv;
    renamed.replace("\"le_ident\"", "\"le_name\"");
    const struct {
        const char *what;
        QByteArray body;
        const char *problem;
    } answers[] = {
        {"cut short", kRunwaysCsv.left(kRunwaysCsv.size() / 2), "the file is cut short"},
        {"html", html, "the answer is an HTML page"},
        {"a column missing", renamed, "the column le_ident is missing"},
    };
    // The kept copy is the extract without its last runway, 29 days old.
    const QByteArray old =
        kRunwaysCsv.left(kRunwaysCsv.lastIndexOf('\n', kRunwaysCsv.size() - 2) + 1);
    NetworkConfig config(tmp.path());
    DataDir data(tmp.path());
    for (const auto &a : answers) {
        OpenDataStore store(data, config, fake.transfer, fake.worker, fake.clock);
        writeFile(dataPath("runways.csv"), old);
        QFile kept(dataPath("runways.csv"));
        ASSERT_TRUE(kept.open(QIODevice::ReadWrite));
        kept.setFileTime(fake.clock.current.addDays(-29), QFileDevice::FileModificationTime);
        kept.close();
        fake.transfer.setBody(kRunways, a.body);
        OpenDataCopy copy = copyNow(store);
        EXPECT_TRUE(copy.usable()) << a.what << ": the old copy serves";
        EXPECT_EQ(fileBytes(dataPath("runways.csv")), old) << a.what;

        // Without a copy the answer's fault is what the tooltip will say.
        QFile::remove(dataPath("runways.csv"));
        OpenDataStore fresh(data, config, fake.transfer, fake.worker, fake.clock);
        copy = copyNow(fresh);
        EXPECT_FALSE(copy.usable()) << a.what;
        EXPECT_EQ(copy.problem,
                  QStringLiteral("runways.csv from data.test was not used: ") + a.problem)
            << a.what;
        EXPECT_FALSE(QFile::exists(dataPath("runways.csv"))) << a.what;
    }
    // A whole answer replaces the old copy, and a young copy is not fetched again.
    const qsizetype before = fake.transfer.requested.size();
    writeFile(dataPath("runways.csv"), old);
    OpenDataStore store(data, config, fake.transfer, fake.worker, fake.clock);
    fake.transfer.setBody(kRunways, kRunwaysCsv);
    fake.clock.current = QDateTime::currentDateTime().addDays(29);
    copyNow(store);
    EXPECT_EQ(fileBytes(dataPath("runways.csv")), kRunwaysCsv);
    fake.clock.current = QDateTime::currentDateTime().addDays(27);
    copyNow(store);
    EXPECT_EQ(fake.transfer.requested.size(), before + 1);
    EXPECT_EQ(QDir(tmp.path()).entryList({"*.csv*"}, QDir::Files), QStringList{"runways.csv"})
        << "no temporary file left";
}

TEST_F(OpenDataTest, TheAerodromeListIsMadeOnceAndReadsBackEveryName) {
    startAt("EDDB", "EDDB 071350Z 07006KT CAVOK 12/03 Q1021");
    ASSERT_TRUE(QFile::exists(dataPath("ICAO.txt")));
    EXPECT_EQ(fake.messages.shown,
              QStringList{"The file ICAO.txt has been created from OurAirports."});
    Form1 &f = form();
    const struct {
        const char *code, *remarks;
    } lookups[] = {
        {"LEMG", "Málaga Airport"},
        {"EPLL", "Łódź Władysław Reymont Airport"},
        {"UUEE", "Sheremetyevo International Airport Moscow"},
    };
    for (const auto &l : lookups) {
        f.Text8[0]->setText(l.code);
        EXPECT_EQ(f.Text11[0]->text(), l.remarks) << l.code;
    }
    // A closed aerodrome is no destination.
    EXPECT_FALSE(fileBytes(dataPath("ICAO.txt")).contains("EDDI"));

    // The list is the controller's from now on: a second start leaves it alone.
    writeFile(dataPath("ICAO.txt"), "EDDF   Frankfurt\r\n");
    console.reset();
    start();
    EXPECT_EQ(fileBytes(dataPath("ICAO.txt")), "EDDF   Frankfurt\r\n");
    EXPECT_EQ(fetchesOf(kAirports), 1);
}

TEST_F(OpenDataTest, TheLampSaysThatAnAirportWithoutAReportIsListedAsClosed) {
    writeFile(dataPath("ICAO.txt"), "EDDF   Frankfurt\r\n");
    startAt("EDDI", "EDDI 020450Z 27005KT 9999 SCT020 04/02 Q1002", "2008/10/02 04:50");
    const QString why = form().Shape1->failure();
    EXPECT_TRUE(why.startsWith("No METAR of EDDI this time: ")) << why.toStdString();
    EXPECT_TRUE(why.endsWith(" EDDI is listed as closed in OurAirports' data."))
        << why.toStdString();
}

TEST(DownloadBar, ShowsTheFileItsSizeAndHowFarItHasCome) {
    Form1 f;
    f.showDownload("runways.csv", 1048576, 4194304);
    EXPECT_TRUE(f.ProgressBar1->isVisibleTo(&f));
    EXPECT_EQ(f.ProgressBar1->accessibleName(), "runways.csv: 1.0 of 4.0 MB");
    EXPECT_EQ(f.ProgressBar1->value(), 250);
    EXPECT_EQ(f.ProgressBar1->focusPolicy(), Qt::NoFocus);
    f.showDownload("airports.csv", 3565158, -1);
    EXPECT_EQ(f.ProgressBar1->accessibleName(), "airports.csv: 3.4 MB");
    f.endDownload("runways.csv");
    EXPECT_TRUE(f.ProgressBar1->isVisibleTo(&f)) << "airports.csv still comes";
    f.endDownload("airports.csv");
    EXPECT_FALSE(f.ProgressBar1->isVisibleTo(&f));
}

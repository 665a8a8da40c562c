// OurAirports' files as the console reads them. The extracts in tests/data hold real rows as
// published (runways 2026-08-22, airports 2020-10-21); the icao-code extract holds the same
// airports in today's column order, with icao_code filled for large and medium airports.
#include "console/datadir.h"
#include "console/opendata.h"
#include "fakes/qtprint.h"
#include "strips/destination.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvos;

namespace {

QString testData(const char *name) {
    return QStringLiteral(TARVOS_TEST_DATA "/") + QLatin1String(name);
}
const QString kRunways = testData("ourairports-runways-extract.csv");
const QString kAirports = testData("ourairports-airports-extract.csv");

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(OpenData, UsableRunwayEnds) {
    const std::pair<const char *, const char *> cases[] = {
        {"09", "09 "},   {"3", "03 "},    {"32L", "32L"}, {"5L", "05L"}, {"36", "36 "},
        {" 07 ", "07 "}, {"H1", ""},      {"N", ""},      {"NE", ""},    {"18W", ""},
        {"9W", ""},      {"08T", ""},     {"07H", ""},    {"09GL", ""},  {"13LC", ""},
        {"00", ""},      {"0", ""},       {"37", ""},     {"161", ""},   {"ALL", ""},
        {"H-NORTH", ""}, {"-", ""},       {"25.", ""},    {"22-28", ""}, {"", ""},
        {"lower", ""},   {"unknown", ""}, {"32l", ""}};
    for (const auto &[ident, end] : cases)
        EXPECT_EQ(usableRunwayEnd(QString::fromUtf8(ident)).value_or(QString()), end) << ident;
}

TEST(OpenData, RunwayLinesLongestFirstLowEndFirst) {
    const struct {
        const char *icao;
        bool known;
        QStringList lines;
    } cases[] = {
        // Equal lengths (11483 ft) keep the file's order.
        {"LEMD",
         true,
         {"LEMD 18R 18R", "LEMD 36L 36L", "LEMD 14R 14R", "LEMD 32L 32L", "LEMD 14L 14L",
          "LEMD 32R 32R", "LEMD 18L 18L", "LEMD 36R 36R"}},
        {"EDDH", true, {"EDDH 15  15 ", "EDDH 33  33 ", "EDDH 05  05 ", "EDDH 23  23 "}},
        // Written without a leading zero.
        {"KLAX",
         true,
         {"KLAX 07L 07L", "KLAX 25R 25R", "KLAX 07R 07R", "KLAX 25L 25L", "KLAX 06R 06R",
          "KLAX 24L 24L", "KLAX 06L 06L", "KLAX 24R 24R"}},
        // A closed runway named "lower"/"high" without length.
        {"KSEA",
         true,
         {"KSEA 16L 16L", "KSEA 34R 34R", "KSEA 16C 16C", "KSEA 34C 34C", "KSEA 16R 16R",
          "KSEA 34L 34L"}},
        // The runway without length comes last.
        {"HKLO",
         true,
         {"HKLO 09R 09R", "HKLO 27L 27L", "HKLO 09L 09L", "HKLO 27R 27R", "HKLO 09  09 ",
          "HKLO 27  27 "}},
        {"MMTG", true, {"MMTG 15  15 ", "MMTG 33  33 "}}, // closed 00/00 and 16/34
        {"KDYS", true, {"KDYS 16  16 ", "KDYS 34  34 "}}, // 161/341, 162/342
        {"EDDS", true, {"EDDS 07  07 ", "EDDS 25  25 "}}, // H-NORTH, H-SOUTH
        {"LOWL", true, {"LOWL 08  08 ", "LOWL 26  26 "}}, // 07H/25H, 08E/26E
        {"BR-1767", true, {"BR-1767 27  27 "}},           // the same runway twice
        {"00A", true, {}},                                // a helipad
        {"02NH", true, {}},                               // a water lane and a helipad
        {"0FL5", true, {}},                               // "ALL"/"WAY"
        {"BGTL", true, {}},                               // true headings, 08T/26T
        {"EDDT", false, {}},                              // gone from the file
    };
    for (const auto &c : cases) {
        const RunwayLines got = rwyLinesFromRunwaysCsv(kRunways, QLatin1String(c.icao));
        EXPECT_EQ(got.lines, c.lines) << c.icao;
        EXPECT_EQ(got.airportKnown, c.known) << c.icao;
        EXPECT_TRUE(got.problem.isEmpty()) << c.icao;
    }
    // Gray Butte Field's runways are filed under its ident, 04CA; its ICAO code is KGXA.
    EXPECT_EQ(airportListing(kAirports, QStringLiteral("KGXA")).ident, QStringLiteral("04CA"));
    EXPECT_EQ(rwyLinesFromRunwaysCsv(kRunways, "KGXA", "04CA").lines,
              QStringList({"KGXA 08  08 ", "KGXA 26  26 "}));
    const RunwayLines missing = rwyLinesFromRunwaysCsv(testData("no-such.csv"), "EDDH");
    EXPECT_EQ(missing.problem, QStringLiteral("the file is missing"));
    EXPECT_FALSE(missing.airportKnown);
}

TEST(OpenData, BodyProblems) {
    const QByteArray runways = bytesOf(kRunways);
    const QByteArray airports = bytesOf(kAirports);
    const qsizetype quoteInName = airports.indexOf("\"City\"");
    QByteArray brokenRow = runways;
    brokenRow.replace("\"LEMD\",", "\"LEMD\",,,");
    const struct {
        OpenDataFile file;
        QByteArray body;
        const char *problem;
    } cases[] = {
        {OpenDataFile::Runways, runways, nullptr},
        {OpenDataFile::Airports, airports, nullptr},
        {OpenDataFile::Airports, bytesOf(testData("ourairports-airports-icao-code-extract.csv")),
         nullptr},
        {OpenDataFile::Runways, "", "the answer is empty"},
        {OpenDataFile::Runways, " \r\n", "the answer is empty"},
        {OpenDataFile::Airports, "\n<!DOCTYPE html><html><body>Rate limited</body></html>\n",
         "the answer is an HTML page"},
        {OpenDataFile::Runways, runways.chopped(1), "the file is cut short"},
        {OpenDataFile::Runways, runways.chopped(40), "the file is cut short"},
        {OpenDataFile::Airports, airports.left(quoteInName + 3), "the file is cut short"},
        {OpenDataFile::Runways, runways.left(runways.indexOf('\n') + 1), nullptr},
        {OpenDataFile::Runways, QByteArray(runways).replace("le_ident", "le_id"),
         "the column le_ident is missing"},
        {OpenDataFile::Airports, runways, "the column ident is missing"},
        {OpenDataFile::Runways, brokenRow, "line 63 cannot be read"},
    };
    for (const auto &c : cases) {
        const std::optional<QString> problem = openDataBodyProblem(c.file, c.body);
        EXPECT_EQ(problem.value_or(QString()), QString::fromUtf8(c.problem))
            << c.body.left(60).toStdString();
    }
    QTemporaryDir dir;
    QFile cut(dir.filePath("runways.csv"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(runways.chopped(25));
    cut.close();
    EXPECT_EQ(openDataFileProblem(OpenDataFile::Runways, cut.fileName()).value_or(QString()),
              QStringLiteral("the file is cut short"));
    EXPECT_EQ(rwyLinesFromRunwaysCsv(cut.fileName(), "LEMD").problem,
              QStringLiteral("the file is cut short"));
    EXPECT_EQ(openDataFileProblem(OpenDataFile::Runways, testData("no-such.csv")).value_or(""),
              QStringLiteral("the file is missing"));
}

TEST(OpenData, ReadsCsvAsWritten) {
    // CR LF line ends, a byte-order mark, blank lines and a line end inside a quoted name.
    QByteArray airports = bytesOf(kAirports);
    airports.replace("\"Hamburg Airport\"", "\"Hamburg\nAirport\"");
    airports.replace("\n\"", "\n\n\"");
    airports.replace("\n", "\r\n");
    QTemporaryDir dir;
    QFile file(dir.filePath("airports.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + airports);
    file.close();
    EXPECT_EQ(openDataFileProblem(OpenDataFile::Airports, file.fileName()), std::nullopt);
    const IcaoLines lines = icaoLinesFromAirportsCsv(file.fileName());
    EXPECT_EQ(lines.lines, icaoLinesFromAirportsCsv(kAirports).lines);
    EXPECT_TRUE(lines.lines.contains(QStringLiteral("EDDH   Hamburg Airport")));
}

TEST(OpenData, WholeRealFilesPass) {
    EXPECT_EQ(
        openDataFileProblem(OpenDataFile::Runways, testData("ourairports-runways-2026-08-22.csv")),
        std::nullopt);
    EXPECT_EQ(openDataFileProblem(OpenDataFile::Airports,
                                  testData("ourairports-airports-2020-10-21.csv")),
              std::nullopt);
}

TEST(OpenData, IcaoLineNames) {
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"Hamburg Airport", "Hamburg", "Hamburg Airport"},
        {"Sheremetyevo International Airport", "Moscow",
         "Moscow | Sheremetyevo International Airport"},
        {"Szczecin-Goleniów \"Solidarność\" Airport", "Goleniow",
         "Szczecin-Goleniów \"Solidarność\" Airport"},
        {"Châteauroux-Déols Airport", "Châteauroux/Déols", "Châteauroux-Déols Airport"},
        {"Barcelona Airport", "Bar", "Bar | Barcelona Airport"},
        {"San Miguel del Alto\tDurango Airport", "", "San Miguel del Alto Durango Airport"},
        {"North|South Field\x01", " East|West ", "East/West | North/South Field"},
        {"", "Babięta", "Babięta"},
    };
    for (const auto &[name, town, line] : cases)
        EXPECT_EQ(icaoLineName(QString::fromUtf8(name), QString::fromUtf8(town)),
                  QString::fromUtf8(line))
            << name;
}

TEST(OpenData, IcaoLinesReadBackThroughTheLookup) {
    const IcaoLines made = icaoLinesFromAirportsCsv(kAirports);
    ASSERT_TRUE(made.problem.isEmpty());
    // Read by column names: today's column order with icao_code gives the same file.
    EXPECT_EQ(
        icaoLinesFromAirportsCsv(testData("ourairports-airports-icao-code-extract.csv")).lines,
        made.lines);
    QStringList sorted = made.lines;
    sorted.sort();
    sorted.removeDuplicates();
    EXPECT_EQ(sorted, made.lines);
    for (const char *left : {"EDDI", "AYLA", "LEAG", "12JY", "00A ", "AU-M", "BF-0"})
        EXPECT_FALSE(made.lines.join('\n').contains(QLatin1String(left))) << left;

    QTemporaryDir tmp;
    QFile file(tmp.filePath(kAerodromeFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(made.lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    file.close();
    const DataDir dir(tmp.path());
    const DestinationLookup lookup(dir);
    const std::pair<const char *, const char *> cases[] = {
        {"LEMG", "Málaga Airport"},
        {"EPLL", "Łódź Władysław Reymont Airport"},
        {"UUEE", "Sheremetyevo International Airport Moscow"},
        {"EDDH", "Hamburg Airport"},
        {"EDBM", "Magdeburg \"City\" Airport"},
        {"ENEV", "Harstad/Narvik Airport, Evenes"},
        {"KGXA", "Gray Butte Field Palmdale"}, // gps_code KGXA, ident 04CA
        {"YMIR", "Miralwyn Airport"},          // its own record, not AU-MWY's gps_code
        {"DFOH", "Hounde Airport"},            // its own record, not BF-0002's
        {"EDDT", "Berlin-Tegel Airport"},      // a large airport still in 2020
    };
    for (const auto &[code, name] : cases)
        EXPECT_EQ(lookup.remarksAfterDestChange(QLatin1String(code), QString()),
                  QString::fromUtf8(name))
            << code;
}

TEST(OpenData, AirportListings) {
    const struct {
        const char *icao;
        bool listed;
        bool closed;
        const char *name;
    } cases[] = {
        {"EDDT", true, false, "Berlin-Tegel Airport"},
        {"EDDI", true, true, "Berlin Tempelhof International Airport"},
        {"eplL", true, false, "Łódź Władysław Reymont Airport"},
        {"ZZZZ", false, false, ""},
    };
    for (const auto &c : cases) {
        const AirportListing got = airportListing(kAirports, QLatin1String(c.icao));
        EXPECT_EQ(got.listed, c.listed) << c.icao;
        EXPECT_EQ(got.closed, c.closed) << c.icao;
        EXPECT_EQ(got.name, QString::fromUtf8(c.name)) << c.icao;
    }
    EXPECT_FALSE(airportListing(testData("no-such.csv"), "EDDT").problem.isEmpty());
}

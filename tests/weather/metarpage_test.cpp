// Finding the report in a downloaded page, and the three-airport overview built from pages.
#include "weather/metar.h"
#include "weather/metarpage.h"
#include "weather/overview.h"
#include "weather/runway.h"

#include "fakes/qtprint.h"

#include <gtest/gtest.h>

#include <optional>

using namespace tarvos;

namespace {
const QString kTegel = "EDDT 071220Z 26010KT CAVOK 05/02 Q1013 NOSIG";
const std::array<QString, 3> kBerlin = {"EDDT", "EDDI", "EDDB"};
const QStringList kRwy = rwyDefaultFile().lines;
} // namespace

TEST(MetarPage, ReportOfTheStationUpToTheFirstLineEnd) {
    const QString longReport = "EDDT 071220Z 26010KT " + QString(280, 'X');
    const struct {
        const char *name;
        QString page, station;
        std::optional<QString> metar;
    } cases[] = {
        {"station file", "2026/12/08 10:20\nEDDT 081020Z 27012KT 9999 Q1013\n", "EDDT",
         "EDDT 081020Z 27012KT 9999 Q1013"},
        {"CR LF", "EDDT 081020Z 27012KT Q1013\r\n", "EDDT", "EDDT 081020Z 27012KT Q1013"},
        {"METAR word in front", "METAR EDDT 081020Z 27012KT Q1013", "EDDT",
         "EDDT 081020Z 27012KT Q1013"},
        {"several reports, newest first",
         "SPECI EDDB 081035Z 26015G28KT Q1011\nMETAR EDDB 081020Z 26010KT Q1012\n", "EDDB",
         "EDDB 081035Z 26015G28KT Q1011"},
        {"cut after the station", "EDDT \n", "EDDT", "EDDT "},
        {"station at the very end", "EDDT", "EDDT", std::nullopt},
        {"NIL", "EDDT 081020Z NIL=", "EDDT", "EDDT 081020Z NIL="},
        {"no report (date line only)", "2026/12/08 10:20\n", "EDDI", std::nullopt},
        {"another station", "EDDB 081020Z 26010KT Q1012", "EDDT", std::nullopt},
        {"case-sensitive", "eddt 081020Z", "EDDT", std::nullopt},
        {"empty station", "EDDT 081020Z", "", std::nullopt},
        {"300 characters kept whole", longReport, "EDDT", longReport},
        {"no line end for megabytes", "EDDT " + QString(5'000'000, 'A'), "EDDT",
         "EDDT " + QString(kMaxMetarLength - 5, 'A')},
    };
    for (const auto &c : cases)
        EXPECT_EQ(metarFromPage(c.page, c.station), c.metar) << c.name;
}

TEST(MetarPage, NoaaCutAndTheFieldAsACode) {
    const struct {
        QString page, search, cut;
    } cuts[] = {
        {"<p>x<BR>EDDT 081020Z Q1013<BR>EDDB 1", "EDDT", "EDDT 081020Z Q1013"},
        {"<p>x<BR>EDDT 081020Z Q1013<BR>", "", "<p>x"}, // empty search: from the start
        {"EDDT 081020Z Q1013\n", "EDD", "EDDT 081020Z Q1013\n"},
        {"head<BR>EDDT 081020Z", "EDDB", "head"}, // not found: uncut, then up to <BR>
        {"", "EDDT", ""},
    };
    for (const auto &c : cuts)
        EXPECT_EQ(noaaCut(c.page, c.search), c.cut) << c.page;

    const struct {
        QString text6;
        std::optional<QString> code;
    } fields[] = {{"eddb", "EDDB"},        {"EDDT", "EDDT"},       {"edd", std::nullopt},
                  {"12:20", std::nullopt}, {"Load", std::nullopt}, {" edb", " EDB"},
                  {"", std::nullopt}};
    for (const auto &f : fields)
        EXPECT_EQ(codeFromField(f.text6), f.code) << f.text6;
    EXPECT_EQ(pageText(QByteArray("EDDT \xff\x00 x", 9)).size(), 9);
}

TEST(Overview, RowsOfTheWorkedExampleAndItsShapes) {
    EXPECT_EQ(overviewRow(*readMetar(kTegel), 1, "LA=26R TO=26L"),
              " EDDT  12:20 Wind 260 @ 10  QNH 1013   LA=26R TO=26L\r\n");
    const struct {
        QString metar;
        int row;
        QString runway, text;
    } rows[] = {
        {"EDDI 071220Z 27008KT Q0998", 2, "RWY 27L",
         " EDDI   12:20 Wind 270 @ 08  QNH 0998   RWY 27L\r\n"},
        {"EDDB 071220Z 27008KT 9999", 3, "", " EDDB  12:20 Wind 270 @ 08  QNH ////   "},
        {"EDDB 231120Z AUTO 16009KT CAVOK 18/13 Q1016 NOSIG", 3, "RWY 07R",
         " EDDB  11:20 Wind 160 @ 09  QNH 1016   RWY 07R"},
        {"UUEE 272200Z 23005MPS 9000 OVC006 04/03 Q1012 R24L/290140 R24C/290140 NOSIG", 3, "",
         " UUEE  22:00 Wind 230 @ 10  QNH 1012   "},
    };
    for (const auto &r : rows)
        EXPECT_EQ(overviewRow(*readMetar(r.metar), r.row, r.runway), r.text) << r.metar;
}

TEST(Overview, EachRowHasTheRunwaysOfItsOwnAirportAndWind) {
    const QStringList rwy = kRwy + QStringList{"EDDF 25C 18 ", "EDDF 07C 18 ", "EDDN 28  28 "};
    const struct {
        const char *code, *metar, *text;
    } cases[] = {
        {"EDDT", "EDDT 071220Z 27010KT", "LA=26R TO=26L"},
        {"EDDI", "EDDI 071220Z 18010KT", "RWY 09R"}, // straight across: easterly here
        // Real reports; Nuremberg has only its westerly line.
        {"EDDF", "EDDF 180750Z 19010KT 4800 -DZ BKN003 OVC004 08/08 Q1013 BECMG 6000",
         "LA=25C TO=18 "},
        {"EDDN", "EDDN 180750Z 17005KT 120V210 9999 BKN008 08/07 Q1015 NOSIG", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(overviewRunwayText(rwy, c.code, c.metar), c.text) << c.metar;
}

TEST(Overview, PagesIntoRowsAndWhenItTimesOut) {
    const QString tegel = "2026/12/08 10:20\nEDDT 081020Z 27012KT 9999 Q1013\n";
    const QString tempelhof = "2026/12/08 10:20\nEDDI 081020Z 26008KT A2992\n";
    const QString schoenefeld = "2026/12/08 10:20\nEDDB 081020Z 26010KT Q1012\n";
    const QString autoAtis = "EDDT 081000Z 09005KT Q1020";
    const struct {
        const char *name;
        std::array<QString, 3> codes;
        QString pages;
        QString lastmetar;
        QString text;
        bool timedOut;
    } cases[] = {
        {"all three", kBerlin, tegel + tempelhof + schoenefeld, autoAtis,
         " EDDT  10:20 Wind 270 @ 12  QNH 1013   LA=26R TO=26L\r\n"
         " EDDI   10:20 Wind 260 @ 08  QNH 1013   RWY 27L\r\n"
         " EDDB  10:20 Wind 260 @ 10  QNH 1012   RWY 25L",
         false},
        {"Tempelhof missing", kBerlin, tegel + schoenefeld, autoAtis,
         " EDDT  10:20 Wind 270 @ 12  QNH 1013   LA=26R TO=26L\r\n"
         " EDDI   no METAR\r\n"
         " EDDB  10:20 Wind 260 @ 10  QNH 1012   RWY 25L",
         false},
        {"Tegel missing, the others with their own wind", kBerlin,
         "2026/12/08 10:20\nEDDI 081020Z 09008KT Q1013\n" + schoenefeld, autoAtis,
         " EDDT  no METAR\r\n"
         " EDDI   10:20 Wind 090 @ 08  QNH 1013   RWY 09R\r\n"
         " EDDB  10:20 Wind 260 @ 10  QNH 1012   RWY 25L",
         false},
        {"Schoenefeld missing after Tempelhof's report", kBerlin, tempelhof + "2026/12/08 10:20\n",
         autoAtis,
         " EDDT  no METAR\r\n"
         " EDDI   10:20 Wind 260 @ 08  QNH 1013   RWY 27L\r\n"
         " EDDB  no METAR",
         false},
        {"only Tegel", kBerlin, tegel, autoAtis, {}, true},
        {"nothing, AutoAtis had Schoenefeld", kBerlin, "", "EDDB 081000Z 09005KT Q1020", {}, true},
        {"Tegel as third code",
         {"EDDB", "EDDI", "EDDT"},
         schoenefeld + tempelhof + tegel,
         autoAtis,
         {},
         false},
        {"others",
         {"EDDF", "EDDM", "EDDK"},
         "EDDF 081020Z 25012KT Q1014\nEDDM 081020Z 07004KT Q1016\nEDDK 081020Z 22010KT Q1015",
         autoAtis,
         " EDDF  10:20 Wind 250 @ 12  QNH 1014   \r\n"
         " EDDM   10:20 Wind 070 @ 04  QNH 1016   \r\n"
         " EDDK  10:20 Wind 220 @ 10  QNH 1015   ",
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Overview o = buildOverview(c.codes, c.pages, c.lastmetar, kRwy);
        if (!c.text.isEmpty()) {
            EXPECT_EQ(o.text, c.text);
        }
        EXPECT_EQ(overviewTimedOut(o, true), c.timedOut);
    }
    EXPECT_TRUE(overviewTimedOut(Overview{}, false)) << "downloads skipped";
    const Overview longPage =
        buildOverview(kBerlin, "EDDT 081020Z 27012KT " + QString(500, 'Q'), autoAtis, kRwy);
    EXPECT_EQ(longPage.lastmetar.size(), 100) << "at most 100 characters from the code";
}

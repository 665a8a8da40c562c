#include "weather/runway.h"

#include "fakes/fakeplatform.h"
#include "weather/metar.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

using namespace tarvos;
using tarvos::testing::FakeMessageBox;

namespace {

const QStringList berlin = rwyDefaultFile().lines;

} // namespace

TEST(RunwayChoice, ByWindDirection) {
    const struct {
        const char *station, *wind;
        std::optional<QString> landing, takeoff;
    } cases[] = {
        {"EDDT", "260", "26R", "26L"},
        {"EDDT", "080", "08L", "08R"},
        {"EDDT", "VRB", "08L", "08R"},
        {"EDDT", "000", "08L", "08R"},
        {"EDDT", "", "08L", "08R"},
        {"EDDT", "Err", "08L", "08R"},
        {"EDDT", "180", "26R", "26L"},
        // Straight across: the side of the old split at 180. Near it, the runway into the wind.
        {"EDDT", "170", "08L", "08R"},
        {"EDDT", "350", "26R", "26L"},
        {"EDDT", "175", "26R", "26L"},
        {"EDDB", "250", "25L", "25L"},
        {"EDDI", "090", "09R", "09R"},
        {"ETNL", "100", "10 ", "10 "},
        {"ETNL", "280", "28 ", "28 "},
        // An airport missing from the file, and texts that only look like one.
        {"EDDH", "260", std::nullopt, std::nullopt},
        {"eddt", "260", std::nullopt, std::nullopt},
        {"EDD", "260", std::nullopt, std::nullopt},
        {"", "260", std::nullopt, std::nullopt},
        {"", "080", std::nullopt, std::nullopt},
    };
    for (const auto &c : cases) {
        const RunwayChoice choice = chooseRunways(berlin, c.station, c.wind);
        EXPECT_EQ(choice.text4, c.landing) << c.station << " " << c.wind;
        EXPECT_EQ(choice.text5, c.takeoff) << c.station << " " << c.wind;
    }
}

TEST(RunwayChoice, EditedFiles) {
    const struct {
        const char *name;
        QStringList lines;
        const char *wind;
        std::optional<QString> landing, takeoff;
    } cases[] = {
        {"last fitting line wins",
         {"EDDT 26R 26L", "EDDT 26L 26R", "EDDT 08L 08R"},
         "270",
         "26L",
         "26R"},
        {"lower-case code does not match",
         {"eddt 08L 08R", "eddt 26R 26L"},
         "260",
         std::nullopt,
         std::nullopt},
        {"only one direction given", {"EDDT 26R 26L"}, "080", std::nullopt, std::nullopt},
        {"short line", {"EDDT 08L"}, "080", "08L", ""},
        {"shorter line", {"EDDT 0"}, "080", "0", ""},
        {"code only", {"EDDT"}, "080", "", ""},
        {"line of eleven", {"EDDT 26R 26"}, "260", "26R", "26"},
        {"tabs instead of blanks", {"EDDT\t26R\t26L"}, "260", "26R", "26L"},
        {"comment lines between", {"", "EDDT 26R 26L", "Entry sequence", ""}, "260", "26R", "26L"},
        {"no lines", {}, "260", std::nullopt, std::nullopt},
    };
    for (const auto &c : cases) {
        const RunwayChoice choice = chooseRunways(c.lines, "EDDT", c.wind);
        EXPECT_EQ(choice.text4, c.landing) << c.name;
        EXPECT_EQ(choice.text5, c.takeoff) << c.name;
    }
}

TEST(RunwayChoice, RealLayoutsAndReports) {
    const QStringList rwy{
        "EDDH 05  05 ", "EDDH 15  15 ", "EDDH 23  23 ",           "EDDH 33  33 ", "LEMD 32L 36L",
        "LEMD 18R 14L", "LOWG 35C 35C", "LOWG 17C 17C",           "EDDF 07R 18 ", "EDDF 07L 18 ",
        "EDDF 25L 18 ", "EDDF 25C 18 ", "EGLL 27L 27R preferred", "EGLL 09L 09R", "EDDI 09R 09R",
        "EDDI 27L 27L", "EDDN 28  28 ",
    };
    const struct {
        const char *station, *metar;
        At180 at180;
        const char *landing; // nullptr: the runways stay
    } cases[] = {
        // Crossing runways: the one into the wind, not the last westerly line.
        {"EDDH", "EDDH 180750Z 22011KT 2500 -DZ BR BKN003 10/09 Q1005", At180::Westerly, "23 "},
        {"LEMD", "LEMD 272200Z 23014KT CAVOK 09/06 Q1013 NOSIG", At180::Westerly, "18R"},
        {"LEMD", "LEMD 180730Z 34003KT 7000 NSC M00/M00 Q1028 NOSIG", At180::Westerly, "32L"},
        // The calm-wind line is the airport's first.
        {"LOWG", "LOWG 231120Z VRB01KT 9999 FEW020 16/10 Q1020 NOSIG", At180::Westerly, "35C"},
        {"LOWG", "LOWG 272150Z AUTO 19008KT 160V220 9999", At180::Westerly, "17C"},
        // Three parallels: of equally near lines the last.
        {"EDDF", "EDDF 180750Z 19010KT 4800 -DZ BKN003 OVC004 08/08 Q1013", At180::Westerly, "25C"},
        {"EDDF", "EDDF 231120Z AUTO 06005KT CAVOK 16/12 Q1013 NOSIG", At180::Westerly, "07L"},
        // Straight across at 180: the console's westerly line, the overview's easterly one.
        {"EDDI", "EDDF 272220Z AUTO 18011KT 9999 SCT038 09/05 Q0998", At180::Westerly, "27L"},
        {"EDDI", "EDDF 272220Z AUTO 18011KT 9999 SCT038 09/05 Q0998", At180::Easterly, "09R"},
        // A preferred line within 5 kt of tailwind and 15 kt across, the gust counted.
        {"EGLL", "EGLL 180750Z 24013KT 9999 FEW011 BKN014 13/11 Q1010", At180::Westerly, "27L"},
        {"EGLL", "EGLL 231120Z AUTO 13005KT 100V170 9999", At180::Westerly, "27L"},
        {"EGLL", "EGLL 231120Z AUTO 13005G10KT 100V170", At180::Westerly, "09L"},
        {"EGLL", "EGLL 272220Z AUTO 19015KT 9999 BKN027 08/04 Q0981 NOSIG", At180::Westerly, "27L"},
        {"EGLL", "EGLL 272220Z AUTO 17020KT 9999 BKN027 08/04 Q0981", At180::Westerly, "09L"},
        // Only a runway with the wind behind it: none.
        {"EDDN", "EDDN 180750Z 17005KT 120V210 9999 BKN008 08/07 Q1015", At180::Westerly, nullptr},
    };
    for (const auto &c : cases) {
        const RunwayChoice choice =
            chooseRunways(rwy, c.station, runwayWind(*readMetar(c.metar)), c.at180);
        EXPECT_EQ(choice.text4, c.landing ? std::optional<QString>(c.landing) : std::nullopt)
            << c.metar;
    }
}

TEST(RunwayChoice, DefaultFileIsWrittenByteForByteAndChoosesNothingThatRun) {
    QTemporaryDir tmp;
    DataDir dir(tmp.path());
    FakeMessageBox messages;

    const RunwayChoice first = loadrwy(dir.openOrCreate(rwyDefaultFile(), messages), "EDDT", "260");
    EXPECT_FALSE(first.text4.has_value());
    EXPECT_FALSE(first.text5.has_value());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0], "the  file rwy.txt has been createt. If you do not controll in "
                                 "Berlin, please edit this file with a normal editor.");

    QFile file(dir.path("rwy.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("EDDT 08L 08R\r\n"
                                         "EDDT 26R 26L\r\n"
                                         "EDDI 09R 09R\r\n"
                                         "EDDI 27L 27L\r\n"
                                         "EDDB 07R 07R\r\n"
                                         "EDDB 25L 25L\r\n"
                                         "ETNL 10  10 \r\n"
                                         "ETNL 28  28 \r\n"
                                         "\r\n"
                                         "Entry sequence: ICAO-CODE Landing-RWY TakeOff-RWY\r\n"
                                         "\r\n"
                                         "...enter it for both directions!!!\r\n"
                                         "for RWY's with no R or L please give it a space  "
                                         "(see ETNL)!\r\n"));

    const RunwayChoice next = loadrwy(dir.openOrCreate(rwyDefaultFile(), messages), "EDDT", "260");
    EXPECT_EQ(next.text4, "26R");
    EXPECT_EQ(next.text5, "26L");
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST(RunwayChoice, WindOnTheRunwayAsTheTooltipSaysIt) {
    const struct {
        const char *runway;
        RunwayWind wind;
        const char *text;
    } cases[] = {
        {"26R", {"220", 12, 0}, "26R: headwind 9 kt, crosswind 8 kt from the left"},
        {"26R", {"300", 12, 0}, "26R: headwind 9 kt, crosswind 8 kt from the right"},
        {"26R", {"260", 12, 0}, "26R: headwind 12 kt, crosswind 0 kt"},
        {"08L", {"260", 12, 0}, "08L: tailwind 12 kt, crosswind 0 kt"},
        {"09R", {"180", 10, 0}, "09R: headwind 0 kt, crosswind 10 kt from the right"},
        {"27L",
         {"220", 10, 25},
         "27L: headwind 6 kt, crosswind 8 kt from the left; in gusts "
         "headwind 16 kt, crosswind 19 kt from the left"},
        // North is 360, and runway 36 points there.
        {"36 ", {"010", 10, 0}, "36: headwind 10 kt, crosswind 2 kt from the right"},
        {"04L", {"VRB", 3, 0}, "04L: variable wind at 3 kt"},
        {"04L", {"000", 0, 0}, "04L: calm wind"},
        {"", {"260", 12, 0}, ""},
        {"H1", {"260", 12, 0}, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(runwayWindText(c.runway, c.wind), c.text) << c.runway << " " << c.wind.direction;
}

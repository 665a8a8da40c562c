#include "weather/runway.h"

#include "fakes/fakeplatform.h"

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
        {"EDDT", "179", "08L", "08R"},
        {"EDDT", "359", "26R", "26L"},
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

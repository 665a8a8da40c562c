#include "weather/tlfile.h"

#include "fakes/fakeplatform.h"
#include "weather/metar.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

using namespace tarvos;
using tarvos::testing::FakeMessageBox;

TEST(TransitionLevelFile, TheLongestCodeAndItsFirstRowThatHoldsTheQnh) {
    const TlTable table = readTlTable({
        "TL|E|5000|0|1099|E-wide",
        "TL|EG|6000|0|1012|TL80",
        "TL|EG|6000|1012|1099|never: the first row that holds wins",
        "TL|EGLL|6000|1013|1040|TL70",
        "TL|EGLL|6000|1041|1050|TL60",
        "TL|K|18000|0|1099|FL180",
        "TL||5000|0|1099|no code",
        "TL|LE|6000|high|1099|no number",
        "#TL|LE|6000|0|1099|comment",
        "Some text",
    });
    const struct {
        const char *station;
        int qnh;
        bool known;
        int altitude;
        std::optional<QString> caption;
    } cases[] = {
        {"EGLL", 1013, true, 6000, "TL70"},       // the airport before its country
        {"EGLL", 1050, true, 6000, "TL60"},       // an upper bound holds
        {"EGLL", 1010, true, 6000, std::nullopt}, // the airport's rows, none holds: kept
        {"EGKK", 1012, true, 6000, "TL80"},       // a bound in two rows: the first
        {"EDDH", 1020, true, 5000, "E-wide"},     // the shortest code still begins it
        {"KATL", 1013, true, 18000, "FL180"},
        {"LEMD", 1013, false, 0, ""}, // no row, and no broken one used
        {"", 1013, false, 0, ""},
    };
    for (const auto &c : cases) {
        const LevelChoice level = chooseLevel(table, c.station, c.qnh);
        EXPECT_EQ(level.known, c.known) << c.station << " " << c.qnh;
        EXPECT_EQ(level.altitude, c.altitude) << c.station << " " << c.qnh;
        EXPECT_EQ(level.caption, c.caption) << c.station << " " << c.qnh;
    }
}

TEST(TransitionLevelFile, DefaultFileIsTheGermanTableForEdAndEt) {
    QTemporaryDir tmp;
    DataDir dir(tmp.path());
    FakeMessageBox messages;
    const TlTable table = readTlTable(dir.openOrCreate(tlDefaultFile(), messages).lines);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0], "The file tl.txt has been created. If you do not control in "
                                 "Germany, please edit this file.");
    QFile file(dir.path("tl.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("TL|ED|5000|0|978|TL80\r\nTL|ED|5000|979|1012|TL70\r\n"));
    ASSERT_EQ(table.size(), 8);
    for (const char *station : {"EDDT", "ETNL"}) {
        for (int qnh = 900; qnh <= 1060; ++qnh)
            EXPECT_EQ(chooseLevel(table, station, qnh).caption, transitionLevel(qnh)) << qnh;
    }
}

TEST(TransitionLevelFile, AStationWithoutALevel) {
    // London in the default file: no level, said in Label2's tooltip, and none in the ATIS.
    const MetarDecoding d =
        decodeMetar("EGLL 180750Z 24013KT 9999 FEW011 BKN014 13/11 Q1010 TEMPO SCT014 BKN018");
    EXPECT_EQ(d.label2, "");
    EXPECT_EQ(d.label2ToolTip, "tl.txt has no transition level for EGLL: the console gives none.");
    EXPECT_EQ(d.label2Description, d.label2ToolTip);
    EXPECT_EQ(decodeMetar("EDDT 071220Z 26010KT CAVOK 05/02 Q1013 NOSIG").label2ToolTip,
              "The TL is calculated by the QNH with TA=5000ft / dbl-click : shows 2 flight-strips");
}

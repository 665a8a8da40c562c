// atis.txt: its reader and the choice of a line by airport and landing runway.
#include "weather/atisfile.h"

#include "fakes/qtprint.h"

#include <gtest/gtest.h>

using namespace tarvos;

TEST(AtisFile, LinesIntoTheTable) {
    const AtisTable t = readAtisTable({
        "TWR|EDDF|25|/EDDF_TWR|This is Frankfurt Information |RWY 25C.| RWY 18 ",
        "TWR|EDDF|07|/EDDF_TWR|Intro ",
        "TWR|EDDF|18|/EDDF_TWR", // no intro: not used
        "#TWR|EDDM|26|x|y",
        "twr|EDDM|26|x|y",
        " TWR|EDDM|26|x|y",
        "APP|/EDDF_APP",
        "APP|/EDFF_APP|x",
        "APP-RWY|25|EDDF RWY 25C APP|EDFE RWY 27 APP/DEP",
        "APP-RWY|07",
        "APP-RWY",
        "DEP|Contact Langen Radar on 120.80 !",
    });
    ASSERT_EQ(t.tower.size(), 2);
    EXPECT_EQ(t.tower[0].intro, "This is Frankfurt Information ");
    EXPECT_EQ(t.tower[0].runwayLines, QStringList({"RWY 25C.", " RWY 18 "}));
    EXPECT_TRUE(t.tower[1].runwayLines.isEmpty());
    EXPECT_EQ(t.approachChannel, "/EDFF_APP|x") << "the last APP line, whole";
    ASSERT_EQ(t.approach.size(), 2);
    EXPECT_EQ(t.approach[0].airportLines, QStringList({"EDDF RWY 25C APP", "EDFE RWY 27 APP/DEP"}));
    EXPECT_EQ(t.departureSentence, "Contact Langen Radar on 120.80 !");
    EXPECT_EQ(defaultAtisTable().tower.size(), 6) << "the example in the comments is no line";
}

TEST(AtisFile, LongestRunwayWinsAndOfEquallyLongTheLast) {
    const AtisTable t = readAtisTable({"TWR|EDDF|2|a|", "TWR|EDDF|25|b|", "TWR|EDDF|25C|c|",
                                       "TWR|EDDF|25|d|", "TWR|EDDF||e|", "TWR|EDDM|0|f|",
                                       "APP-RWY|0|g", "APP-RWY|07|h", "APP-RWY|0|i"});
    const struct {
        const char *airport, *text4, *tower, *approach; // the chosen line's channel, first line
    } cases[] = {
        {"EDDF", "25C", "c", "-"}, {"EDDF", "25L", "d", "-"}, {"EDDF", "26R", "a", "-"},
        {"EDDF", "18 ", "e", "-"}, {"EDDF", "", "e", "-"},    {"EDDM", "07R", "f", "h"},
        {"EDDM", "08L", "f", "i"}, {"EDDM", "26R", "-", "-"}, {"eddm", "0", "-", "i"},
    };
    for (const auto &c : cases) {
        const TowerAtisLine *tower = chooseTowerAtis(t, c.airport, c.text4);
        const ApproachAtisLine *approach = chooseApproachAtis(t, c.text4);
        EXPECT_EQ(tower ? tower->channel : "-", c.tower) << c.airport << " " << c.text4;
        EXPECT_EQ(approach ? approach->airportLines.value(0) : "-", c.approach) << c.text4;
    }
}

#include "weather/atis.h"

#include <QStringList>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

#include <limits>

using namespace tarvos;

TEST(Abc, WordAndNextNumber) {
    const struct {
        int before;
        const char *word; // "-" when the word stays
        int after;
    } cases[] = {
        {1, "Alpha", 2},
        {2, "Bravo", 3},
        {6, "Fox", 7},
        {17, "Quebek", 18},
        {24, "X-Ray", 25},
        {26, "Zulu", 27},
        {27, "Alpha", 2},
        {0, "-", 1},
        {28, "-", 29},
        {-20, "-", -19},
        {std::numeric_limits<int>::max(), "-", std::numeric_limits<int>::max()},
    };
    for (const auto &c : cases) {
        ConsoleState state;
        state.atisword = "-";
        state.atisnumber = c.before;
        abc(state);
        EXPECT_EQ(state.atisword, c.word) << c.before;
        EXPECT_EQ(state.atisnumber, c.after) << c.before;
    }
}

TEST(Abc, LetterField) {
    const struct {
        const char *typed, *shown, *word;
        int atisnumber;
    } cases[] = {
        {"c", "C", "Charlie", 4},
        {"m", "M", "Mike", 14},
        {"Z", "Z", "Zulu", 27},
        {"a", "A", "Alpha", 2},
        {"xy", "XY", "X-Ray", 25},
        // Not a letter: the number is counted on from the character and the word stays.
        {"1", "1", "-", -14},
        {"[", "[", "Alpha", 2}, // "[" is 27 and wraps round
        {"", "", "-", 9},
    };
    for (const auto &c : cases) {
        ConsoleState state;
        state.atisword = "-";
        state.atisnumber = 9;
        EXPECT_EQ(letterFieldChanged(c.typed, state).text18, c.shown) << c.typed;
        EXPECT_EQ(state.atisword, c.word) << c.typed;
        EXPECT_EQ(state.atisnumber, c.atisnumber) << c.typed;
    }
}

TEST(Abc, AfterZuluComesAlpha) {
    ConsoleState state;
    letterFieldChanged("z", state);
    abc(state);
    EXPECT_EQ(state.atisword, "Alpha");
    EXPECT_EQ(state.atisnumber, 2);
}

// atis.txt: its reader and the choice of a line by airport and landing runway.
TEST(AtisFile, LinesAndTheChoiceOfTheLongestRunwayThenTheLast) {
    const AtisTable t = readAtisTable(
        {"TWR|EDDF|2|a|", "TWR|EDDF|25|b| Intro |RWY 25C.| RWY 18 ", "TWR|EDDF|25C|c|",
         "TWR|EDDF|25|d|", "TWR|EDDF||e|", "TWR|EDDM|0|f|", "TWR|EDDM|07|g", "#TWR|EDDM|07|h|",
         "APP|/EDDF_APP", "APP|/EDFF_APP|x", "APP-RWY|0|i", "APP-RWY|07|j|k", "APP-RWY|0|l"});
    EXPECT_EQ(t.tower[1].intro + t.tower[1].runwayLines.join('/'), " Intro RWY 25C./ RWY 18 ");
    EXPECT_EQ(t.approachChannel, "/EDFF_APP|x") << "the last APP line, whole";
    EXPECT_EQ(defaultAtisTable().tower.size(), 6) << "the example in the comments is no line";
    const struct {
        const char *airport, *text4, *tower, *approach; // the chosen line's channel, first line
    } cases[] = {
        {"EDDF", "25C", "c", "-"}, {"EDDF", "25L", "d", "-"}, {"EDDF", "26R", "a", "-"},
        {"EDDF", "", "e", "-"},    {"EDDM", "07R", "f", "j"}, {"EDDM", "08L", "f", "l"},
        {"EDDM", "26R", "-", "-"}, {"eddm", "0", "-", "l"},
    };
    for (const auto &c : cases) {
        const TowerAtisLine *tower = chooseTowerAtis(t, c.airport, c.text4);
        const ApproachAtisLine *approach = chooseApproachAtis(t, c.text4);
        EXPECT_EQ(tower ? tower->channel : "-", c.tower) << c.airport << " " << c.text4;
        EXPECT_EQ(approach ? approach->airportLines.value(0) : "-", c.approach) << c.text4;
    }
}

namespace {

ConsoleState bravo(int depcontactmode) {
    ConsoleState state;
    state.voicehost = "V";
    state.atisword = "Bravo";
    state.depcontactmode = depcontactmode;
    state.metartail = "1220Z 26010KT CAVOK 05/02 Q1013 NOSIG";
    return state;
}

} // namespace

TEST(TowerAtis, TegelEasterlyByteForByte) {
    EXPECT_EQ(abc1(bravo(0), AtisFields{"EDDT", "08L", "TL70", "12:20"}),
              QString("V/EDDT_TWR\r\n"
                      "This is Berlin Tegel Information Bravo\r\n"
                      "Time 1220 Zulu.\r\n"
                      "Expect ILS RWY 08L approach, take-off on request.\r\n"
                      "RWY 08R for take-off.\r\n"
                      "TL70\r\n"
                      "Wind is 260 at 10 CAVOK 05/02 Q1013 NOSIG\r\n"
                      "NOTAM! Please set mode -standby- on GND.\r\n"
                      "Advice that you have received information Bravo - OUT."));
}

TEST(TowerAtis, ClosingSentences) {
    const auto advice = abc1(bravo(0), AtisFields{"EDDB", "25L", "TL60", ""});
    const auto immediate = abc1(bravo(1), AtisFields{"EDDB", "25L", "TL60", ""});
    const QString common = QString::fromUtf8("V/EDDB_TWR\r\n"
                                             "This is Berlin Schönefeld Information Bravo\r\n"
                                             "Time 1220 Zulu.\r\n"
                                             "RWY 25L for landing and take-off.\r\n"
                                             "TL60\r\n"
                                             "Wind is 260 at 10 CAVOK 05/02 Q1013 NOSIG\r\n"
                                             "NOTAM! Please set mode -standby- on GND.\r\n");
    EXPECT_EQ(advice, common + "Advice that you have received information Bravo - OUT.");
    EXPECT_EQ(immediate,
              common + "Immediately after DEP contact EDBB_APP on 119.62 !\r\nBravo - OUT.");
    // Any other value of the mode closes with the advice.
    EXPECT_EQ(abc1(bravo(2), AtisFields{"EDDB", "25L", "TL60", ""}), advice);
}

TEST(TowerAtis, TemplateByAirportAndDirection) {
    const struct {
        const char *label8, *text4;
        const char *secondLine; // nullptr: no text
        const char *runways;
    } cases[] = {
        {"EDDT", "26R", "This is Berlin Tegel Information Bravo",
         "Expect ILS RWY 26R approach, take-off on request.\r\nRWY 26L for take-off.\r\n"},
        {"EDDB", "07R", "This is Berlin Schönefeld Information Bravo",
         "RWY 07R for landing and take-off.\r\n"},
        {"EDDI", "09R", "This is Berlin Tempelhof Information Bravo",
         "RWY 09R for landing and take-off.\r\n"},
        {"EDDI", "2", "This is Berlin Tempelhof Information Bravo",
         "RWY 27L for landing and take-off.\r\n"},
        {"EDDH", "08L", nullptr, nullptr},
        {"eddt", "08L", nullptr, nullptr},
        {"EDDT", "", nullptr, nullptr},
        {"EDDT", "18 ", nullptr, nullptr},
        {"EDDT", " 08", nullptr, nullptr},
    };
    for (const auto &c : cases) {
        const auto atis = abc1(bravo(0), AtisFields{c.label8, c.text4, "TL70", ""});
        SCOPED_TRACE(std::string(c.label8) + " " + c.text4);
        if (!c.secondLine) {
            EXPECT_FALSE(atis.has_value());
            continue;
        }
        ASSERT_TRUE(atis.has_value());
        const QStringList lines = atis->split("\r\n");
        EXPECT_EQ(lines.value(0), "V/" + QString(c.label8) + "_TWR");
        EXPECT_EQ(lines.value(1), QString::fromUtf8(c.secondLine));
        EXPECT_TRUE(atis->contains("Zulu.\r\n" + QString(c.runways) + "TL70\r\n"));
    }
}

TEST(TowerAtis, ShortOrBrokenMetarTail) {
    ConsoleState state = bravo(0);
    const struct {
        const char *tail;
        const char *time, *wind;
    } cases[] = {
        // The rest of the report ends its own line, with or without a line end of its own.
        {"1220Z 26010KT 9999 Q1013\r\n", "Time 1220 Zulu.", "Wind is 260 at 10 9999 Q1013\r\n"},
        {"1220Z 26010KT", "Time 1220 Zulu.", "Wind is 260 at 10\r\n"},
        // Real reports: AUTO, gusts in knots and in metres per second, a missing wind.
        {"1120Z AUTO 16009KT CAVOK 18/13 Q1016 NOSIG", "Time 1120 Zulu.",
         "Wind is 160 at 09 CAVOK 18/13 Q1016 NOSIG\r\n"},
        {"0751Z 29011G19KT 10SM OVC042 05/M04 A2991 RMK AO2 SLP129 T00501039=", "Time 0751 Zulu.",
         "Wind is 290 at 11 gusting 19 10SM OVC042 05/M04 A2991 RMK AO2 SLP129 T00501039\r\n"},
        {"0730Z 22004G10MPS 9999 -RA OVC014 02/01 Q1004", "Time 0730 Zulu.",
         "Wind is 220 at 08 gusting 19 9999 -RA OVC014 02/01 Q1004\r\n"},
        {"0750Z /////KT 9999 FEW020 SCT080 13/12 Q1017", "Time 0750 Zulu.",
         "Wind is /// at /// 9999 FEW020 SCT080 13/12 Q1017\r\n"},
        {"1220Z 2", "Time 1220 Zulu.", "Wind is /// at /// 2\r\n"},
        {"12", "Time 12 Zulu.", "Wind is  at  "},
        {"", "Time  Zulu.", "Wind is  at  "},
    };
    for (const auto &c : cases) {
        state.metartail = c.tail;
        const auto atis = abc1(state, AtisFields{"EDDT", "08L", "TL70", ""});
        ASSERT_TRUE(atis.has_value());
        EXPECT_TRUE(atis->contains(QString("\r\n") + c.time + "\r\n")) << c.tail;
        EXPECT_TRUE(atis->contains(QString("TL70\r\n") + c.wind + "NOTAM!")) << c.tail;
    }
}

TEST(TowerAtis, LetterResetAnnouncesAlphaAndLeavesNumberOne) {
    ConsoleState state = bravo(0);
    state.atisnumber = 17;
    const LetterReset reset = letterReset(state, AtisFields{"EDDT", "26R", "TL60", "12:20"});
    EXPECT_EQ(reset.text18, "A");
    ASSERT_TRUE(reset.clipboardText.has_value());
    EXPECT_TRUE(reset.clipboardText->startsWith("V/EDDT_TWR\r\nThis is Berlin Tegel Information "
                                                "Alpha\r\n"));
    EXPECT_TRUE(reset.clipboardText->endsWith("information Alpha - OUT."));
    EXPECT_EQ(state.atisword, "Alpha");
    EXPECT_EQ(state.atisnumber, 1);
    // No template fits: the clipboard is left alone, the letter is reset all the same.
    state.atisnumber = 17;
    EXPECT_FALSE(letterReset(state, AtisFields{"EDDH", "26R", "TL60", ""}).clipboardText);
    EXPECT_EQ(state.atisnumber, 1);
}

TEST(ApproachAtis, RunwayBlocksAndTime) {
    const QString head = "V/EDBB_APP\r\nInformation Bravo 1220 Z\r\n"
                         "Inform that you have initial contact.\r\n";
    const struct {
        const char *text4, *text6;
        QString text;
    } cases[] = {
        {"08L", "12:20",
         head + "EDDT RWY 08L APP 08R DEP\r\nEDDI RWY 09R APP/DEP\r\nEDDB RWY 07R APP/DEP\r\n"
                "TL70, See local ATIS or ACARS."},
        {"26R", "12:20",
         head + "EDDT RWY 26R APP 26L DEP\r\nEDDI RWY 27L APP/DEP\r\nEDDB RWY 25L APP/DEP\r\n"
                "TL70, See local ATIS or ACARS."},
        {"", "12:20", head},
        {"18 ", "12:20", head},
        // No report decoded yet: the field still shows the ICAO code.
        {"", "EDDT",
         "V/EDBB_APP\r\nInformation Bravo EDDT Z\r\nInform that you have initial contact.\r\n"},
        {"", "7",
         "V/EDBB_APP\r\nInformation Bravo 77 Z\r\nInform that you have initial contact.\r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(approachAtisText(bravo(0), AtisFields{"EDDH", c.text4, "TL70", c.text6}), c.text)
            << c.text4 << " " << c.text6;
}

#include "strips/airlines.h"
#include "strips/clearance.h"
#include "strips/codetable.h"
#include "strips/squawk.h"

#include "fakes/qtprint.h"

#include <gtest/gtest.h>

using namespace tarvos;

TEST(Squawk, NextCodeCountsInOctal) {
    struct Case {
        const char *assigned;
        const char *next;
    } cases[] = {
        {"5051", "5052"},
        {"5057", "5060"},
        {"5067", "5070"},
        {"5077", "5100"},
        {"5777", "6000"},
        {"5707", "5710"},
        {"0100", "0101"},
        {"0107", "0110"},
        {"0777", "1000"},
        {"100", "0101"},
        {"7", "0010"},
        {" 5103 ", "5104"},
        // Never the emergency codes, never 7777 or a non-octal code: wrap to 0001.
        {"7477", "7501"},
        {"7577", "7601"},
        {"7677", "7701"},
        {"7776", "0001"},
        {"7777", "0001"},
        {"7499", "7501"},
        {"5058", "5060"},
        {"0000", "0001"},
        // No code at all restarts the sequence.
        {"", "5051"},
        {"abc", "5051"},
        {"12345", "5051"},
        {"50a1", "5051"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(nextSquawk(QString::fromLatin1(c.assigned)), QString::fromLatin1(c.next))
            << c.assigned;
}

TEST(Squawk, SequenceNeverHandsOutReservedCodes) {
    QString code = QStringLiteral("0001");
    for (int i = 0; i < 5000; ++i) {
        code = nextSquawk(code);
        ASSERT_EQ(code.size(), 4);
        ASSERT_FALSE(code == "7500" || code == "7600" || code == "7700" || code == "7777") << code;
        ASSERT_FALSE(code.contains('8') || code.contains('9')) << code;
    }
}

TEST(Squawk, FileLinesRoundTrip) {
    const QStringList lines = squawkFileLines("5051", "5103", "EDDB", 3);
    EXPECT_EQ(lines, (QStringList{"5051", "5103", "EDDB", " 3 "}));
    const SquawkFile read = parseSquawkFile(lines);
    EXPECT_EQ(read.linesRead, 4);
    EXPECT_EQ(read.lastsquawk, "5103");
    EXPECT_EQ(read.homeicao, "EDDB");
    EXPECT_EQ(read.atisnumber, " 3 ");
    EXPECT_EQ(parseSquawkFile({"1", "2", "EDDT"}).linesRead, 3);
    EXPECT_EQ(parseSquawkFile({}).linesRead, 0);
}

TEST(Clearance, SentenceIsJoinedAsItStands) {
    EXPECT_EQ(clearanceText("Frankfurt", "BKD5T", "4000", "5051"),
              QStringLiteral("You're cleared to DEST Frankfurt via BKD5T DEP, flight planned "
                             "route, initial climb 4000ft, Squawk 5051"));
    EXPECT_EQ(clearanceText("", "", "", ""),
              QStringLiteral("You're cleared to DEST  via  DEP, flight planned route, initial "
                             "climb ft, Squawk "));
}

TEST(CodeTable, AirlineExpansions) {
    const QStringList &table = airlinesFile().lines;
    struct Case {
        const char *typed;
        const char *result;
        bool replaced;
    } cases[] = {
        {"dlh", "Lufthansa DLH", true},   {"cfg", "Condor CFG", true}, {"eua", "Europa  EUA", true},
        {"ber", "Air Berlin BER", true},  {"DLH", "DLH", false},       {"xyz", "xyz", false},
        {"gwg", "Ger.Airwing GWG", true},
    };
    for (const Case &c : cases) {
        const CodeExpansion e = expandCode(table, QString::fromUtf8(c.typed));
        EXPECT_EQ(e.text, QString::fromUtf8(c.result)) << c.typed;
        EXPECT_EQ(e.replaced, c.replaced) << c.typed;
    }
    EXPECT_EQ(expandCode(table, "thy").text, QStringLiteral("Türkisch THY"));
    EXPECT_EQ(table.size(), 25);
}

TEST(CodeTable, LaterLinesSeeTheReplacedText) {
    // The second line matches the first line's replacement; short and empty lines never match
    // a three-character text.
    const QStringList table{"ab", "", "abc xyz", "xyz   Final  ", "x"};
    const CodeExpansion e = expandCode(table, "abc");
    EXPECT_TRUE(e.replaced);
    EXPECT_EQ(e.text, "Final");
}

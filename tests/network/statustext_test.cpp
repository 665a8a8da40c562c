// The record reads: search, separator counts and the fixed reads, including records that are
// too short or cut off by the end of the text.
#include "network/statustext.h"

#include "fakes/qtprint.h"
#include "fakes/testfiles.h"
#include "records.h"

#include <gtest/gtest.h>

using namespace tarvos;
using tarvos::testing::atc;
using tarvos::testing::pilot;

namespace {

TEST(RecordSearch, FirstOccurrenceAnywhereCaseSensitive) {
    const QString text = pilot("DLH123", "EDDT", "EDDM") + "\n" + pilot("DLH12", "EDDT", "LOWW");
    struct Row {
        const char *key;
        qsizetype from;
        qsizetype expected;
    } rows[] = {
        {"DLH12", 1, 1}, // the record of DLH123 comes first and is the one found
        {"dlh12", 1, 0},
        {"EDDT", 1, text.indexOf("EDDT") + 1},
        {"LOWW", 1, text.indexOf("LOWW") + 1},
        {"XXX", 1, 0},
        {"DLH12", 2, text.indexOf("\nDLH12") + 2},
        {"", 3, 3},
        {"D", text.size() + 1, 0},
    };
    for (const Row &r : rows)
        EXPECT_EQ(recordSearch(text, r.key, r.from), r.expected) << r.key << " from " << r.from;
    EXPECT_EQ(recordSearch(QString(), "", 1), 0);
    EXPECT_EQ(recordSearch(QString(), "DLH12", 1), 0);
}

TEST(SeparatorScan, CountsWithinTheLimit) {
    const QString text = "A:B::C:"; // separators at 2, 4, 5, 7
    struct Row {
        qsizetype p;
        int n, limit, expected;
    } rows[] = {
        {1, 1, 10, 1},  {1, 2, 10, 3}, {1, 3, 10, 4},
        {1, 4, 10, 6},  {1, 4, 5, 6}, // not within the limit
        {1, 5, 10, 11},               // the text ends first
        {7, 1, 3, 4},                 // nothing after the last separator
        {0, 1, 10, 2},                // from before the text
    };
    for (const Row &r : rows)
        EXPECT_EQ(separatorScan(text, r.p, r.n, r.limit), r.expected)
            << "p " << r.p << " n " << r.n << " limit " << r.limit;
    EXPECT_EQ(nextSeparatorScan(text, 2, 50), 2);
    EXPECT_EQ(nextSeparatorScan(text, 7, 50), 51);
}

TEST(RecordReads, FlightPlanFields) {
    const QString route55 = QString("DCT ").repeated(13) + "XYZ"; // 55 characters
    ASSERT_EQ(route55.size(), 55);
    const QString text = pilot("DLH123", "EDDT", "EDDM", "MARUN Y210", "RMK/TCAS") + "\n" +
                         pilot("DLH12", "EDDB", "", route55, "") + "\n";
    const qsizetype first = recordSearch(text, "DLH12");
    EXPECT_EQ(readDestination(text, first), "EDDM"); // DLH123 is read for DLH12
    EXPECT_EQ(readDeparture(text, first), "EDDT");
    EXPECT_EQ(readRoute(text, first), "MARUN Y210");
    EXPECT_EQ(readRemarks(text, first), "RMK/TCAS");

    const qsizetype second = recordSearch(text, "DLH12:");
    EXPECT_EQ(readDestination(text, second), ":ZZZ"); // empty field: ":" and the next field
    EXPECT_EQ(readRoute(text, second), route55.left(40));
    EXPECT_EQ(readRemarks(text, second), "");
}

TEST(RecordReads, KeyInsideAFreeTextFieldCountsFromThere) {
    // The key occurs in the remarks of an earlier record: it is found there, and the separators
    // are counted from the remark, but only within that record's line.
    const QString text = pilot("AFR1", "LFPG", "EDDT", "", "FOLLOWS BER9X") + "\n" +
                         pilot("BER9X", "EDDT", "LEPA") + "\n";
    const qsizetype p = recordSearch(text, "BER9X");
    EXPECT_LT(p, text.indexOf('\n'));
    EXPECT_EQ(readCallsign(text, p), "BER9X"); // up to the remark's end
    // 19 separators follow in AFR1's line: there is no 30th field to read, and nothing of the
    // next record is taken for one; the 13th is AFR1's empty field 42.
    EXPECT_EQ(readRoute(text, p), "");
    EXPECT_EQ(readDestination(text, p), "::::");
}

TEST(RecordReads, TodaysLongFlightPlansAreReadWhole) {
    // Recorded flight plans whose remarks (PBN/, DOF/, REG/, EET/ lists) run to 150-370
    // characters, and a controller whose name runs past a hundred.
    const QString text = QString::fromUtf8(
        tarvos::testing::fileBytes(TARVOS_NETSIM_RECORDED "/long-plans/whazzup.txt"));
    struct Row {
        const char *key;
        const char *destination, *departure, *route, *remarks;
    } rows[] = {
        {"AFR1234", "EDDT", "LFPG", "ROPVI UN872 BUB UL607 KUDES T161 BOMBI T",
         "PBN/A1B1C1D1L1O1S2 NAV/RNP2 DOF/261208 R"},
        {"DLH123", "EDDM", "EDDT", "MARUN Y210 ERNAS T204 ROKIL",
         "PBN/A1B1C1D1L1O1S2 DOF/261208 REG/DAIZA "},
        {"DLH12", "EDDM", "EDDT", "MARUN Y210 ERNAS T204 ROKIL",
         "PBN/A1B1C1D1L1O1S2 DOF/261208 REG/DAIZA "}, // DLH123 comes first
        {"DLH12:", "EDDF", "EDDT", "SUKIP1N SUKIP M748 RARUP RARUP2P",
         "PBN/A1B1C1D1L1O1S2 DOF/261208 REG/DAIZB "},
        {"EZY77", "::::", "EDDB", "LUROS1N LUROS Y211 BEBKU DCT",
         "PBN/A1B1C1D1O1S1 DOF/261208 REG/GEZTH EE"}, // empty destination: ":" and the next
    };
    for (const Row &r : rows) {
        const qsizetype p = recordSearch(text, r.key);
        ASSERT_GT(p, 0) << r.key;
        EXPECT_EQ(readDestination(text, p), r.destination) << r.key;
        EXPECT_EQ(readDeparture(text, p), r.departure) << r.key;
        EXPECT_EQ(readRoute(text, p), r.route) << r.key;
        EXPECT_EQ(readRemarks(text, p), r.remarks) << r.key;
    }
    const qsizetype ctr = recordSearch(text, "EDBB_CTR");
    EXPECT_EQ(readName(text, ctr), "Maximilian Alexander von Hohenzollern-Sigmaringen (Berlin "
                                   "Radar, training session with mentor)");
    EXPECT_EQ(readFrequency(text, ctr), "120.625");
}

TEST(RecordReads, ControllerFields) {
    const QString text =
        atc("EDBB_1_APP", "Anna", "119.625") + "\n" + atc("EDBB_APP", "Ben", "") + "\n";
    const qsizetype p = recordSearch(text, "EDBB_APP");
    EXPECT_EQ(readCallsign(text, p), "EDBB_APP");
    EXPECT_EQ(readName(text, p), "Ben");
    EXPECT_EQ(readFrequency(text, p), "");
    const qsizetype q = recordSearch(text, "APP");
    EXPECT_EQ(readCallsign(text, q), "APP"); // from the match to the separator
    EXPECT_EQ(readName(text, q), "Anna");
    EXPECT_EQ(readFrequency(text, q), "119.625");
}

TEST(RecordReads, CutOffRecordsTakeWhatThereIs) {
    struct Row {
        const char *text;
        const char *callsign, *name, *destination, *route, *departure;
    } rows[] = {
        {"X", "X", "", "", "", ""},
        {"X:1", "X", "", "", "", ""},
        {"X:1:Name", "X", "Name", "", "", ""}, // the name runs to the end of the text
        {"X:1:Name:ATC", "X", "Name", "", "", ""},
        {"X:1:N:A:F:::::::::", "X", "N", "", "", "::"},
    };
    for (const Row &r : rows) {
        const QString text = r.text;
        EXPECT_EQ(readCallsign(text, 1), r.callsign) << r.text;
        EXPECT_EQ(readName(text, 1), r.name) << r.text;
        EXPECT_EQ(readDestination(text, 1), r.destination) << r.text;
        EXPECT_EQ(readRoute(text, 1), r.route) << r.text;
        EXPECT_EQ(readDeparture(text, 1), r.departure) << r.text;
    }
    // A callsign without separator within 50 characters: 51 characters are taken.
    const QString longText = QString(80, u'A');
    EXPECT_EQ(readCallsign(longText, 1).size(), 51);
}

TEST(TextAt, ClipsToTheText) {
    const QString text = "ABCDEF";
    EXPECT_EQ(textAt(text, 1, 3), "ABC");
    EXPECT_EQ(textAt(text, 5, 4), "EF");
    EXPECT_EQ(textAt(text, 7, 4), "");
    EXPECT_EQ(textAt(text, 0, 3), "AB");
    EXPECT_EQ(textAt(text, -5, 3), "");
    EXPECT_EQ(textAt(text, 2, -1), "");
}

} // namespace

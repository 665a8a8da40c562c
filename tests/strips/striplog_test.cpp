#include "strips/striplog.h"

#include <gtest/gtest.h>

using namespace tarvos;

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(14, 5, 9));

QString dots(int n) {
    return QString(n, QLatin1Char('.'));
}

QString line(const StripFields &row) {
    return logLine(row, kNow, "26L", "26R");
}

} // namespace

TEST(StripLog, LineOfADeparture) {
    const QString expected = "DLH123" + dots(14) + "  EDDF  BKD5T..  5051  Frankfurt" + dots(27) +
                             "  07.12.2026  14:05:09  26L";
    const QString got = line({"dlh123", "EDDF", "BKD5T", "5051", "Frankfurt"});
    EXPECT_EQ(got, expected);
    // The columns stand where readers of the log expect them (counted from 1: 23, 29, 38, 44, 82).
    EXPECT_EQ(got.mid(22, 4), "EDDF");
    EXPECT_EQ(got.mid(28, 7), "BKD5T..");
    EXPECT_EQ(got.mid(37, 4), "5051");
    EXPECT_EQ(got.mid(43, 9), "Frankfurt");
    EXPECT_EQ(got.mid(81, 10), "07.12.2026");
}

TEST(StripLog, FieldsAreCutFilledAndOnlyTheCallsignUpperCased) {
    struct Case {
        StripFields row;
        QString head; // the first 79 columns
    } cases[] = {
        {{}, dots(20) + "  ....  .......  ....  " + dots(36)},
        {{"ABCDEFGHIJKLMNOPQRSTUVWXY", "EDDTX", "BRANE1LX", "50510", QString(40, 'r')},
         "ABCDEFGHIJKLMNOPQRST  EDDT  BRANE1L  5051  " + QString(36, 'r')},
        {{"Lufthansa dlh1", "eddf", "brane1l", "a", "frankfurt am main"},
         "LUFTHANSA DLH1......  eddf  brane1l  a...  frankfurt am main" + dots(19)},
        // Upper case may lengthen a text; the column keeps its width.
        {{QString(19, 'a') + QString::fromUtf8("ß"), "", "", "", ""},
         QString(19, 'A') + "S  ....  .......  ....  " + dots(36)},
        {{" x ", " ", "", "", "  "}, " X " + dots(17) + "   ...  .......  ....    " + dots(34)},
    };
    for (const Case &c : cases) {
        const QString got = line(c.row);
        EXPECT_EQ(got.left(79), c.head) << c.row.callsign.toStdString();
        EXPECT_EQ(got.mid(79), "  07.12.2026  14:05:09  26L") << c.row.callsign.toStdString();
    }
}

TEST(StripLog, NormalisedRow) {
    EXPECT_EQ(normalisedStrip({}), (StripFields{dots(20), "....", ".......", "....", dots(36)}));
    EXPECT_EQ(normalisedStrip({"dlh123", "EDDFX", "BRANE1LX", "505", QString(37, 'x')}),
              (StripFields{"dlh123", "EDDF", "BRANE1L", "505", QString(36, 'x')}));
}

TEST(StripLog, RunwayAndGroundInfoEntry) {
    struct Case {
        StripFields row;
        QString runway;
        QString groundEntry;
    } cases[] = {
        {{"DLH123", "EDDF", "", "5051", "Frankfurt"}, "26L", "DLH123"},
        {{"DLH123", "EDDT", "", "5051", "Landung EDDT"}, "26R", ""},
        {{"DLH123", "", "", "----", "Frankfurt"}, "26R", "DLH123"},
        // Cut to four characters, "-----" is "----" too.
        {{"DLH123", "", "", "-----", ""}, "26R", "DLH123"},
        {{"DLH123", "", "", "---", ""}, "26L", "DLH123"},
        // The test is for the German word only.
        {{"DLH123", "", "", "5051", "Landing RWY 26R"}, "26L", "DLH123"},
        {{"DLH123", "", "", "5051", "landung"}, "26L", "DLH123"},
        {{"ABC12345", "", "", "", ""}, "26L", "BC12345"},
        {{"Condor CFG440", "", "", "", ""}, "26L", "CFG440"},
        {{"cfg440 ", "", "", "", ""}, "26L", "cfg440"},
        // A strip without callsign enters no ghost row.
        {{"", "EDDF", "", "", ""}, "26L", ""},
        {{"       ", "EDDF", "", "", ""}, "26L", ""},
    };
    for (const Case &c : cases) {
        const QString got = line(c.row);
        EXPECT_EQ(got.mid(got.lastIndexOf("  ") + 2), c.runway) << c.row.remarks.toStdString();
        EXPECT_EQ(groundInfoEntry(c.row), c.groundEntry) << c.row.callsign.toStdString();
    }
}

TEST(StripLog, TodaysStripsAreFoundByTheDateOfTheLine) {
    const QDate today(2026, 12, 7);
    const QDateTime yesterday(today.addDays(-1), QTime(23, 59, 59));
    const QStringList log = {
        logLine({"A1", "", "", "", ""}, yesterday, "26L", "26R"),
        logLine({"B2", "", "", "", ""}, QDateTime(today, QTime(0, 0, 0)), "26L", "26R"),
        logLine({"C3", "", "", "", ""}, yesterday, "26L", "26R"),
        logLine({"D4", "", "", "", ""}, kNow, "26L", "26R"),
        logLine({"E5", "", "", "", ""}, QDateTime(today, QTime(23, 59, 59)), "26L", "26R"),
    };
    const QStringList found = todaysLogLines(log, today);
    ASSERT_EQ(found.size(), 3);
    EXPECT_TRUE(found[0].startsWith("B2") && found[1].startsWith("D4") &&
                found[2].startsWith("E5"));
    EXPECT_EQ(aircraftCountText(found.size()), "3 Flugzeuge");
    EXPECT_EQ(aircraftCountText(todaysLogLines({}, today).size()), "0 Flugzeuge");
    EXPECT_FALSE(logDateText(today).contains("  "));
    EXPECT_FALSE(logTimeText(QTime(9, 5, 1)).contains("  "));
    EXPECT_EQ(logTimeText(QTime(9, 5, 1)), "09:05:01");
}

#include "clientlink/groundinfo.h"
#include "clientlink/sidchart.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

using namespace tarvos;

namespace {

// Rows given as "callsign" or "callsign:checks" (e.g. "dlh1:110"); an empty text is an empty row.
GroundInfo rows(const QStringList &layout) {
    GroundInfo g;
    for (int i = 0; i < layout.size(); ++i) {
        const QStringList parts = layout[i].split(':');
        g.setCallsign(i, parts[0]);
        for (int c = 0; parts.size() > 1 && c < 3; ++c)
            g.setCheck(i, c, parts[1][c] == u'1');
    }
    return g;
}

QStringList dump(const GroundInfo &g) {
    QStringList out;
    for (int i = 0; i < GroundInfo::kRows; ++i) {
        const GroundRow &r = g.row(i);
        const QString checks =
            QString("%1%2%3").arg(int(r.checks[0])).arg(int(r.checks[1])).arg(int(r.checks[2]));
        out << (r.callsign.isEmpty() && checks == "000" ? QString() : r.callsign + ":" + checks);
    }
    return out;
}

QStringList padded(QStringList rows) {
    while (rows.size() < GroundInfo::kRows)
        rows << QString();
    return rows;
}

} // namespace

TEST(GroundInfo, TopitClosesTheGaps) {
    struct Case {
        QStringList before;
        QStringList after;
    } cases[] = {
        {{"DLH1:100", "", "", "BER2:110"}, {"DLH1:100", "BER2:110"}},
        {{"", "", "", "", "", "", "", "", "", "x9:001"}, {"X9:001"}},
        // Ticks of a row without callsign are overwritten; moved callsigns are in capitals,
        // rows that stay keep their letters.
        {{"dlh1:000", ":111", "ber2:100", "", "", "afr3:011"},
         {"dlh1:000", "BER2:100", "AFR3:011"}},
        {{":110"}, {}},
        {{"a", "b", "c"}, {"a:000", "b:000", "c:000"}},
    };
    for (const Case &c : cases) {
        GroundInfo g = rows(c.before);
        g.topit();
        EXPECT_EQ(dump(g), padded(c.after)) << c.before.join(",").toStdString();
    }
}

TEST(GroundInfo, TopitKeepsTheOrderOfAnyRows) {
    // Five passes are enough for every arrangement of ten rows.
    QRandomGenerator random(99);
    for (int round = 0; round < 500; ++round) {
        QStringList before;
        QStringList expected;
        for (int i = 0; i < GroundInfo::kRows; ++i) {
            const bool filled = random.bounded(2) == 1;
            before << (filled ? QString("r%1:101").arg(i) : QString());
            if (filled)
                expected << QString("R%1:101").arg(i);
        }
        GroundInfo g = rows(before);
        g.topit();
        QStringList got = dump(g);
        for (QString &row : got)
            row = row.toUpper();
        ASSERT_EQ(got, padded(expected)) << before.join(",").toStdString();
    }
}

TEST(GroundInfo, DeleteEnterAndClearAll) {
    QStringList full;
    for (int i = 0; i < GroundInfo::kRows; ++i)
        full << QString("AC%1:100").arg(i);
    GroundInfo g = rows(full);
    EXPECT_EQ(g.enter("DLH123", 2), -1);
    g.clearrow(0);
    g.topit();
    EXPECT_EQ(g.row(0).callsign, "AC1");
    EXPECT_EQ(g.row(8).callsign, "AC9");
    EXPECT_EQ(g.row(9), GroundRow{});

    g.clearrow(3);
    EXPECT_EQ(g.enter("dlh123", 1), 3);
    EXPECT_EQ(g.row(3), (GroundRow{"dlh123", {true, false, false}}));
    EXPECT_EQ(g.enter("BER2", 2), 9);
    EXPECT_EQ(g.row(9), (GroundRow{"BER2", {true, true, false}}));
    EXPECT_EQ(g.enter("", 2), -1);

    g.clearAll();
    EXPECT_EQ(dump(g), padded({}));
}

TEST(SidChart, RunwayChoosesTheChart) {
    struct Case {
        const char *runway;
        SidChart chart;
    } cases[] = {
        {"26R", SidChart::East}, {"08L", SidChart::West}, {"19", SidChart::East},
        {"18", SidChart::West},  {"", SidChart::West},    {"RW", SidChart::West},
        {"2", SidChart::West},   {"36", SidChart::East},  {"190", SidChart::East},
    };
    for (const Case &c : cases)
        EXPECT_EQ(chartForRunway(c.runway), c.chart) << c.runway;
    EXPECT_EQ(chartFileName(SidChart::West), "sidwest.bmp");
    EXPECT_EQ(chartFileName(SidChart::East), "sideast.bmp");
    EXPECT_EQ(chartGeometry(QRect(100, 0, 800, 118), QSize(564, 381)), QRect(100, 118, 564, 381));
}

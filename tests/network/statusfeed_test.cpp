// The status body as the network serves it today (JSON) and as it used to (records), rendered
// into the status text that the record reads search.
#include "network/statusfeed.h"
#include "network/statustext.h"

#include "fakes/qtprint.h"
#include "fakes/testfiles.h"
#include "records.h"

#include <gtest/gtest.h>

using namespace tarvos;

namespace {

QByteArray capture() {
    static const QByteArray bytes =
        tarvos::testing::fileBytes(TARVOS_TEST_DATA "/ivao-whazzup-v2-2023-01-04.json");
    return bytes;
}

QStringList fieldsOf(const QString &text, const QString &callsign) {
    for (const QString &line : text.split(u'\n')) {
        if (line.startsWith(callsign + ':'))
            return line.split(u':');
    }
    return {};
}

TEST(StatusFeed, RealCaptureBecomesOneRecordPerClient) {
    ASSERT_FALSE(capture().isEmpty());
    const QString text = renderStatusText(capture());
    const QStringList lines = text.split(u'\n');
    ASSERT_EQ(lines.size(), 66 + 714 + 19 + 1); // ATC, pilots, observers, the final line end
    EXPECT_TRUE(lines.last().isEmpty());
    for (const QString &line : lines.mid(0, lines.size() - 1))
        ASSERT_EQ(line.count(u':'), kRecordFields - 1) << qPrintable(line);
    EXPECT_FALSE(text.contains(u'\r'));
    // ATC positions first, then pilots, then observers.
    EXPECT_TRUE(lines[0].startsWith("LFBH_TWR:685015:685015:ATC:118.000:"));
    EXPECT_TRUE(
        lines[66].startsWith("SVA213:702880:702880:PILOT::25.245342:51.620049:37126:563:A320:"
                             "N0431:OEMA:F370:OMAA:"));
    EXPECT_TRUE(lines[780].startsWith("SBBS-ACH:359753:359753:ATC:122.800:"));

    const QStringList tower = fieldsOf(text, "EDDB_TWR");
    ASSERT_EQ(tower.size(), kRecordFields);
    EXPECT_EQ(tower[4], "120.030");
    EXPECT_EQ(tower[17], "0000");
    EXPECT_EQ(tower[13], "");

    const QStringList ndf = fieldsOf(text, "NDF6022");
    ASSERT_EQ(ndf.size(), kRecordFields);
    EXPECT_EQ(ndf[11], "EDDB");
    EXPECT_EQ(ndf[13], "EDDH");
    EXPECT_EQ(ndf[17], "1433");
    EXPECT_EQ(ndf[30], "SUKIP1N SUKIP M748 RARUP RARUP2P");

    const QStringList noTrack = fieldsOf(text, "UAL855"); // lastTrack is null
    ASSERT_EQ(noTrack.size(), kRecordFields);
    EXPECT_EQ(noTrack[5] + noTrack[6] + noTrack[7] + noTrack[8] + noTrack[17], "");

    // The reads find the Berlin traffic as they always did.
    const qsizetype p = recordSearch(text, "NDF6022");
    EXPECT_EQ(readDestination(text, p), "EDDH");
    EXPECT_EQ(readDeparture(text, p), "EDDB");
    EXPECT_EQ(readRoute(text, p), "SUKIP1N SUKIP M748 RARUP RARUP2P");
}

TEST(StatusFeed, OddValuesNeverShiftTheFields) {
    const QByteArray json = R"({"clients": {
        "pilots": [
          {"callsign": "ABC1", "userId": null, "extra": {"x": [1, 2]},
           "lastTrack": {"latitude": "52.1", "transponder": 7000.5},
           "flightPlan": {"departureId": 1234, "arrivalId": null, "level": true,
                          "remarks": "RMK/TIME 12:30\r\nSEL/AB:CD", "route": "A\u2028B",
                          "unknown": "x"}},
          "not a client",
          {"callsign": "ABC2", "lastTrack": {"transponder": 42}, "flightPlan": null}
        ],
        "atcs": [{"callsign": "EDDT_TWR", "atcSession": {"frequency": "118.7"}},
                 {"callsign": "EDDT_GND", "atcSession": {"frequency": "n/a"}}],
        "observers": "none", "followMe": [{"callsign": "FM1"}]},
        "servers": 5})";
    const QStringList lines = renderStatusText(json).split(u'\n');
    ASSERT_EQ(lines.size(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[i].count(u':'), kRecordFields - 1) << qPrintable(lines[i]);
    const QStringList tower = lines[0].split(u':');
    EXPECT_EQ(tower[0], "EDDT_TWR");
    EXPECT_EQ(tower[4], "118.700");
    EXPECT_EQ(lines[1].split(u':')[4], "n/a");
    const QStringList a = lines[2].split(u':');
    EXPECT_EQ(a[0], "ABC1");
    EXPECT_EQ(a[1] + a[2], "");
    EXPECT_EQ(a[5], "52.1");
    EXPECT_EQ(a[11], "1234");
    EXPECT_EQ(a[12], "true");
    EXPECT_EQ(a[13], "");
    EXPECT_EQ(a[17], "7000.5");
    EXPECT_EQ(a[29], "RMK/TIME 12 30  SEL/AB CD");
    EXPECT_EQ(a[30], "A B");
    EXPECT_EQ(lines[3].split(u':')[17], "0042");
}

TEST(StatusFeed, WhatIsNoStatusText) {
    const QString old = tarvos::testing::pilot("DLH12", "EDDT", "EDDM") + "\r\n";
    struct Row {
        QByteArray body;
        QString expected;
    } rows[] = {
        {"", ""},
        {" \r\n\t", ""},
        {capture().left(capture().size() / 2), ""}, // cut in half
        {"{\"clients\": 5}", ""},
        {"[1, 2]", ""},
        {"<!DOCTYPE html><html><body>502 Bad Gateway</body></html>", ""},
        {"  <html>" + old.toUtf8() + "</html>", ""},
        {"Service unavailable: try again later", ""},
        {"\xEF\xBB\xBF{\"clients\": {\"atcs\": [{\"callsign\": \"X\"}]}}",
         "X:::ATC" + QString(kRecordFields - 4, u':') + "\n"},
        {old.toUtf8(), old}, // the record layout is used as it comes
        {"!GENERAL\nVERSION = 1\n!CLIENTS\n" + old.toUtf8(),
         "!GENERAL\nVERSION = 1\n!CLIENTS\n" + old},
        {"M\xfcller:" + old.toLatin1(), QString::fromLatin1("M\xfcller:") + old},
        {"M\xc3\xbcller:" + old.toUtf8(), QString::fromUtf8("M\xc3\xbcller:") + old},
    };
    for (const Row &r : rows)
        EXPECT_EQ(renderStatusText(r.body), r.expected) << r.body.left(60).constData();
}

TEST(StatusFeed, AnUnreadableBodyIsToldFromAnEmptyNetwork) {
    struct Row {
        QByteArray body;
        bool readable;
    } rows[] = {
        {"{\"clients\": {\"atcs\": [], \"pilots\": []}}", true}, // nobody online
        {"!GENERAL\nVERSION = 1\n!CLIENTS\n!SERVERS\n", true},
        {"!CLIENTS\r\nDLH1:1:x:PILOT::\r\n", true},
        {"{\"error\": \"Too many requests\", \"statusCode\": 429}", false},
        {"{\"clients\": 5}", false},
        {"<!DOCTYPE html><html><body>502 Bad Gateway</body></html>", false},
        {"Service unavailable: try again later", false},
        {"", false},
    };
    for (const Row &r : rows)
        EXPECT_EQ(statusTextOf(r.body).has_value(), r.readable) << r.body.constData();
}

} // namespace

// VATSIM's data feed through the same reads as IVAO's: two real captures, with every expectation
// taken from the capture's JSON, and the bodies that are no feed.
#include "network/answers.h"
#include "network/statusfeed.h"

#include "fakes/qtprint.h"
#include "fakes/testfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <map>

using namespace tarvos;
using tarvos::testing::fileBytes;

namespace {

struct Capture {
    QByteArray body;
    QJsonObject json;
    StatusRecords records;
};

const Capture &capture(const char *name) {
    static std::map<std::string, Capture> loaded;
    Capture &c = loaded[name];
    if (c.body.isEmpty()) {
        c.body = fileBytes(QStringLiteral(TARVOS_TEST_DATA "/") + name);
        c.json = QJsonDocument::fromJson(c.body).object();
        c.records = statusRecordsOf(c.body).value_or(StatusRecords{});
    }
    return c;
}

QJsonObject entry(const QJsonObject &json, const char *list, const QString &callsign) {
    for (const QJsonValue &v : json.value(list).toArray()) {
        if (v.toObject().value("callsign").toString() == callsign)
            return v.toObject();
    }
    return {};
}

QString plain(const QJsonValue &v) {
    return v.toString().replace(u':', u' ');
}

const char *const k2021 = "vatsim-v3-2021-01-03.json";
const char *const k2024 = "vatsim-v3-2024-02-20.json";

TEST(VatsimFeed, ControllersAsTheControlFileListsThem) {
    const struct {
        const char *file;
        QStringList control; // the lines that are online, in this order, and some that are not
        QStringList online;
    } rows[] = {
        {k2021,
         {"EDDT_TWR", "EDDB_N_TWR", "EDBB_S_APP", "EDDM_N_APP", "EDDF_TWR", "EDDB_ATIS"},
         {"EDDB_N_TWR", "EDBB_S_APP", "EDDM_N_APP", "EDDB_ATIS"}},
        {k2024, {"EDDL_APP", "EDLV_ATIS", "EDDL_TWR"}, {"EDDL_APP", "EDLV_ATIS"}},
    };
    for (const auto &row : rows) {
        const Capture &c = capture(row.file);
        QString expected;
        for (const QString &callsign : row.online) {
            QJsonObject s = entry(c.json, "controllers", callsign);
            if (s.isEmpty())
                s = entry(c.json, "atis", callsign);
            ASSERT_FALSE(s.isEmpty()) << qPrintable(callsign);
            expected += callsign + " - " + s.value("name").toString() + " - " +
                        s.value("frequency").toString() + "\r\n";
        }
        EXPECT_EQ(controllerPanel(c.records.online, row.control, false, QString()).text, expected)
            << row.file;
    }
}

TEST(VatsimFeed, FlightPlansOnlineAndPrefiled) {
    const struct {
        const char *file;
        QString callsign;
        bool online; // else only prefiled
    } rows[] = {
        {k2021, "DLH126", true},   {k2021, "BGH5530", true}, {k2021, "NPA721", true},
        {k2021, "EZY52LM", false}, {k2024, "WAT3808", true}, {k2024, "HPAL", true},
        {k2024, "EXECJET", false},
    };
    for (const auto &row : rows) {
        const Capture &c = capture(row.file);
        const QJsonObject pilot = entry(c.json, row.online ? "pilots" : "prefiles", row.callsign);
        ASSERT_FALSE(pilot.isEmpty()) << qPrintable(row.callsign);
        const QJsonObject plan = pilot.value("flight_plan").toObject();
        const QString &text = flightPlanText(c.records.online, c.records.prefiled, row.callsign);
        EXPECT_EQ(&text == &c.records.online, row.online) << qPrintable(row.callsign);
        const WhatAnswer what = getwhat(text, row.callsign);
        ASSERT_TRUE(what.found) << qPrintable(row.callsign);
        const auto strip = getstrip(text, row.callsign);
        ASSERT_TRUE(strip);
        if (plan.isEmpty()) { // no plan filed: nothing lands in the strip
            EXPECT_TRUE(what.emptyDestAndRemarks) << qPrintable(row.callsign);
            EXPECT_EQ(strip->planText, "\r\n");
            continue;
        }
        EXPECT_EQ(what.destination, plan.value("arrival").toString()) << qPrintable(row.callsign);
        EXPECT_FALSE(what.emptyDestAndRemarks);
        EXPECT_EQ(strip->planText, plain(plan.value("route")).left(40) + "\r\n" +
                                       plain(plan.value("remarks")).left(40));
        EXPECT_EQ(strip->departure, plan.value("departure").toString());
    }
    // A prefiled plan is no client: not counted as traffic.
    EXPECT_FALSE(capture(k2021).records.online.contains("EZY52LM"));
}

TEST(VatsimFeed, TrafficListingAndRecordCount) {
    for (const char *file : {k2021, k2024}) {
        const Capture &c = capture(file);
        const QJsonArray pilots = c.json.value("pilots").toArray();
        const qsizetype stations =
            c.json.value("controllers").toArray().size() + c.json.value("atis").toArray().size();
        const QStringList lines = c.records.online.split(u'\n');
        ASSERT_EQ(lines.size(), pilots.size() + stations + 1) << file;
        for (const QString &line : lines.mid(0, lines.size() - 1))
            ASSERT_EQ(line.count(u':'), kRecordFields - 1) << qPrintable(line);

        for (const QString code : {"EDDB", "EDDM"}) {
            QString expected;
            for (const QJsonValue &p : pilots) {
                const QJsonObject pilot = p.toObject();
                const QJsonObject plan = pilot.value("flight_plan").toObject();
                // The record's first six characters: a short callsign shows its ":".
                const QString start = (pilot.value("callsign").toString() + ":" +
                                       QString::number(pilot.value("cid").toInt()))
                                          .left(6);
                for (const char *field : {"departure", "arrival", "alternate"}) {
                    if (plan.value(field).toString() == code)
                        expected += start + " " + code + "\r\n";
                }
            }
            EXPECT_EQ(trafficListing(c.records.online, code).text,
                      expected.isEmpty() ? QString(kNixDa) : expected)
                << file << " " << qPrintable(code);
        }
    }
}

TEST(VatsimFeed, TheBodyDecidesHowItIsRead) {
    const QByteArray v3 = R"({"general": {"version": 3}, "controllers": [], "atis": null,
        "pilots": [{"callsign": "DLH1", "flight_plan": {"arrival": "EDDM"}}]})";
    QByteArray huge = v3;
    huge.replace("\"EDDM\"}", "\"EDDM\", \"route\": \"" + QByteArray(20 << 20, 'A') + "\"}");
    const struct {
        const char *what;
        QByteArray body;
        std::optional<QString> first; // the first record's first fields; nullopt: no answer
    } rows[] = {
        {"v3", v3, "DLH1:::PILOT:"},
        {"a 20 MB body", huge, "DLH1:::PILOT:"},
        {"IVAO's v2", R"({"clients": {"pilots": [{"callsign": "DLH2"}]}})", "DLH2:::PILOT:"},
        {"the record layout", "DLH3" + QByteArray(40, ':') + "\n", "DLH3::"},
        {"nulls everywhere",
         R"({"general": {"version": 3}, "controllers": [null, {"callsign": null, "facility": null,
            "text_atis": null, "frequency": null}], "pilots": [null, {"callsign": "X",
            "flight_plan": null, "transponder": null, "altitude": null}], "prefiles": null})",
         ":::ATC:"},
        {"cut short", v3.left(v3.size() - 3), std::nullopt},
        {"pilots not an array", R"({"general": {"version": 3}, "controllers": [], "pilots": {}})",
         std::nullopt},
        {"another version", R"({"general": {"version": 4}, "controllers": [], "pilots": []})",
         std::nullopt},
        {"a JSON error object", R"({"error": "Too Many Requests", "status": 429})", std::nullopt},
        {"an HTML page", "<html><body>Bad Gateway</body></html>", std::nullopt},
    };
    QString text; // of the 20 MB body
    for (const auto &row : rows) {
        const std::optional<StatusRecords> records = statusRecordsOf(row.body);
        ASSERT_EQ(records.has_value(), row.first.has_value()) << row.what;
        if (!records)
            continue;
        EXPECT_TRUE(records->online.startsWith(*row.first)) << row.what;
        for (const QString &line : records->online.split(u'\n', Qt::SkipEmptyParts))
            EXPECT_TRUE(row.body.startsWith("DLH3") || line.count(u':') == kRecordFields - 1)
                << row.what;
        if (row.body.size() > (20 << 20))
            text = records->online;
    }
    EXPECT_EQ(getwhat(text, "DLH1").destination, "EDDM");
    EXPECT_EQ(getstrip(text, "DLH1")->planText, QString(40, u'A') + "\r\n");
}

TEST(VatsimFeed, StationAndPilotFieldsAsTheOldFileWroteThem) {
    const Capture &c = capture(k2021);
    const auto fields = [&](const QString &callsign) {
        const qsizetype at = c.records.online.indexOf("\n" + callsign + ":");
        return c.records.online.mid(at + 1, c.records.online.indexOf(u'\n', at + 1) - at - 1)
            .split(u':');
    };
    const QStringList station = fields("EDDB_ATIS");
    const QJsonObject s = entry(c.json, "atis", "EDDB_ATIS");
    const QJsonArray atis = s.value("text_atis").toArray();
    EXPECT_EQ(station[18], QString::number(s.value("facility").toInt()));
    EXPECT_EQ(station[19], QString::number(s.value("visual_range").toInt()));
    EXPECT_TRUE(
        station[35].startsWith(plain(atis[0]) + QStringLiteral("^\u00a7") + plain(atis[1])));
    EXPECT_EQ(station[37],
              s.value("logon_time").toString().left(19).remove(QRegularExpression("\\D")));

    const QStringList pilot = fields("EZY8214");
    const QJsonObject p = entry(c.json, "pilots", "EZY8214");
    const QJsonObject plan = p.value("flight_plan").toObject();
    EXPECT_EQ(pilot[12], plan.value("altitude").toString());
    EXPECT_EQ(pilot[17], p.value("transponder").toString());
    EXPECT_EQ(pilot[24].toInt() * 100 + pilot[25].toInt(),
              plan.value("enroute_time").toString().toInt());
    EXPECT_EQ(pilot[38], QString::number(p.value("heading").toInt()));
    EXPECT_EQ(pilot[40], QString::number(p.value("qnh_mb").toInt()));
}

} // namespace

// VATSIM's data feed through the same reads as IVAO's: two real captures, with every expectation
// taken from the capture's JSON, and the bodies that are no feed.
#include "network/answers.h"
#include "network/statusfeed.h"

#include "fakes/qtprint.h"
#include "fakes/testfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <map>

using namespace tarvos;
using tarvos::testing::fileBytes;

namespace {

struct Capture {
    QJsonObject json;
    StatusRecords records;
};

const Capture &capture(const char *name) {
    static std::map<std::string, Capture> loaded;
    if (!loaded.count(name)) {
        const QByteArray body = fileBytes(QStringLiteral(TARVOS_TEST_DATA "/") + name);
        loaded[name] = {QJsonDocument::fromJson(body).object(), *statusRecordsOf(body)};
    }
    return loaded[name];
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

// The panel lines as read off the captures' JSON (callsign, name, frequency).
TEST(VatsimFeed, ControllersAsTheControlFileListsThem) {
    const struct {
        const char *file;
        QStringList control;
        QString panel;
    } rows[] = {
        {k2021,
         // BIRD_CTR's ATIS lines, earlier in the feed, name BIKF_TWR: its line is still its own.
         {"EDDT_TWR", "EDDB_N_TWR", "EDBB_S_APP", "EDDM_N_APP", "EDDF_TWR", "EDDB_ATIS",
          "BIKF_TWR"},
         "EDDB_N_TWR - 1463490 - 120.020\r\nEDBB_S_APP - 1007320 - 126.420\r\n"
         "EDDM_N_APP - 1378091 - 123.900\r\nEDDB_ATIS - 1007320 - 123.770\r\n"
         "BIKF_TWR - 1496381 - 118.300\r\n"},
        {k2024,
         {"EDDL_APP", "EDLV_ATIS", "EDDL_TWR"},
         "EDDL_APP - 1541976 - 128.555\r\nEDLV_ATIS - 1541976 - 124.455\r\n"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(controllerPanel(capture(row.file).records.online, row.control, false, "").text,
                  row.panel)
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
        const QJsonObject plan = entry(c.json, row.online ? "pilots" : "prefiles", row.callsign)
                                     .value("flight_plan")
                                     .toObject();
        const QString &text = flightPlanText(c.records.online, c.records.prefiled, row.callsign);
        EXPECT_EQ(&text == &c.records.online, row.online) << qPrintable(row.callsign);
        const WhatAnswer what = getwhat(text, row.callsign);
        const auto strip = getstrip(text, row.callsign);
        ASSERT_TRUE(what.found && strip) << qPrintable(row.callsign);
        // No plan filed: the reads run into empty fields, and nothing lands in the strip.
        EXPECT_EQ(what.emptyDestAndRemarks, plan.isEmpty()) << qPrintable(row.callsign);
        EXPECT_EQ(strip->planText, plain(plan.value("route")).left(40) + "\r\n" +
                                       plain(plan.value("remarks")).left(40));
        if (plan.isEmpty())
            continue;
        EXPECT_EQ(what.destination, plan.value("arrival").toString());
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

// Literal values read off the capture's JSON.
TEST(VatsimFeed, FieldsAsTheOldFileWroteThem) {
    const QString &text = capture(k2021).records.online;
    const auto fields = [&](const QString &callsign) {
        const qsizetype at = text.indexOf("\n" + callsign + ":") + 1;
        return text.mid(at, text.indexOf(u'\n', at) - at).split(u':');
    };
    const QStringList a = fields("EDDB_ATIS"), p = fields("EZY8214");
    // Facility, visual range and logon time; the ATIS lines joined as the old file joined them.
    EXPECT_EQ(QStringList({a[18], a[19], a[37]}).join(' '), "4 0 20210103110057");
    EXPECT_TRUE(a[35].startsWith(QStringLiteral("BERLIN BRANDENBURG MET REPORT TIME 1350^\u00a7"
                                                "EXPECT ILS APPROACH RUNWAY 07L TRL 70")));
    // Altitude as filed, squawk, en-route hours and minutes, heading, QNH in inches and in hPa.
    EXPECT_EQ(QStringList({p[12], p[17], p[24], p[25], p[38], p[39], p[40]}).join(' '),
              "38000 9999 1 29 349 30 1016");
}

} // namespace

// VATSIM's data feed (version 3) in the record layout of the old status file, as VATSIM's own
// file carried it: fields 0 to 37 as in IVAO's, then the heading and the pressure in inches and
// in hectopascals (38 to 40).
#include "network/feedrecords.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace tarvos::feed {

namespace {

QJsonValue of(const QJsonObject &o, const char *key) {
    return o.value(QLatin1String(key));
}

// The feed writes its frequencies as text ("124.300"), kept as they are; a number is written
// with three decimals as the old file did.
QString stationFrequency(const QJsonValue &value) {
    return value.isDouble() ? frequencyText(value) : valueText(value);
}

// "2021-01-03T01:08:33.8718515Z" as the old file's "20210103010833"; another text as it is.
QString logonTime(const QJsonValue &value) {
    static const QRegularExpression iso(
        QStringLiteral("^(\\d{4})-(\\d\\d)-(\\d\\d)T(\\d\\d):(\\d\\d):(\\d\\d)"));
    const QRegularExpressionMatch m = iso.match(value.toString());
    if (!m.hasMatch())
        return valueText(value);
    QString digits;
    for (int i = 1; i <= 6; ++i)
        digits += m.capturedView(i);
    return digits;
}

// A time of the plan, "0047" (hours and minutes), into the old file's two fields: "0" and "47".
// A text of another form stays whole in the hours field.
void putDuration(Record &r, int hoursField, const QJsonValue &value) {
    static const QRegularExpression hhmm(QStringLiteral("^(\\d{1,2})(\\d\\d)$"));
    const QString text = valueText(value).trimmed();
    const QRegularExpressionMatch m = hhmm.match(text);
    if (!m.hasMatch()) {
        r[hoursField] = text;
        return;
    }
    r[hoursField] = QString::number(m.capturedView(1).toInt());
    r[hoursField + 1] = QString::number(m.capturedView(2).toInt());
}

// The ATIS lines, joined as the old file joined them.
QString atisText(const QJsonValue &value) {
    QString text;
    const QJsonArray lines = value.toArray();
    for (const QJsonValue &line : lines) {
        if (!text.isEmpty())
            text += QStringLiteral("^\u00a7");
        text += valueText(line);
    }
    return text;
}

// Who is connected: callsign, member id, name as the feed gives it, the kind of client.
Record clientRecord(const QJsonObject &c, const char *type) {
    Record r;
    r[0] = valueText(of(c, "callsign"));
    r[1] = valueText(of(c, "cid"));
    r[2] = valueText(of(c, "name"));
    r[3] = QLatin1String(type);
    r[5] = valueText(of(c, "latitude"));
    r[6] = valueText(of(c, "longitude"));
    r[14] = valueText(of(c, "server"));
    r[37] = logonTime(of(c, "logon_time"));
    return r;
}

Record stationRecord(const QJsonObject &s) {
    Record r = clientRecord(s, "ATC");
    r[4] = stationFrequency(of(s, "frequency"));
    r[16] = valueText(of(s, "rating"));
    r[18] = valueText(of(s, "facility"));
    r[19] = valueText(of(s, "visual_range"));
    r[35] = atisText(of(s, "text_atis"));
    return r;
}

void putPlan(Record &r, const QJsonObject &plan) {
    r[9] = valueText(of(plan, "aircraft"));
    r[10] = valueText(of(plan, "cruise_tas"));
    r[11] = valueText(of(plan, "departure"));
    r[12] = valueText(of(plan, "altitude"));
    r[13] = valueText(of(plan, "arrival"));
    r[20] = valueText(of(plan, "revision_id"));
    r[21] = valueText(of(plan, "flight_rules"));
    r[22] = valueText(of(plan, "deptime"));
    putDuration(r, 24, of(plan, "enroute_time"));
    putDuration(r, 26, of(plan, "fuel_time"));
    r[28] = valueText(of(plan, "alternate"));
    r[29] = valueText(of(plan, "remarks"));
    r[30] = valueText(of(plan, "route"));
}

// A pilot online, or (without position) a plan filed ahead.
Record pilotRecord(const QJsonObject &p) {
    Record r = clientRecord(p, "PILOT");
    r[7] = valueText(of(p, "altitude"));
    r[8] = valueText(of(p, "groundspeed"));
    r[17] = p.contains(QLatin1String("transponder")) ? transponderText(of(p, "transponder"))
                                                     : QString(); // a prefile has none
    putPlan(r, of(p, "flight_plan").toObject());
    r[38] = valueText(of(p, "heading"));
    r[39] = valueText(of(p, "qnh_i_hg"));
    r[40] = valueText(of(p, "qnh_mb"));
    return r;
}

// An observer connects on a frequency of its own and staffs no position.
bool isObserver(const QJsonObject &s) {
    const QJsonValue facility = of(s, "facility");
    return (facility.isDouble() && facility.toDouble() == 0) ||
           of(s, "frequency").toString().trimmed() == QLatin1String("199.998");
}

} // namespace

std::optional<StatusRecords> vatsimFeedOf(const QJsonObject &document) {
    const QJsonValue version = of(of(document, "general").toObject(), "version");
    const QJsonValue pilots = of(document, "pilots");
    const QJsonValue controllers = of(document, "controllers");
    if (version.toDouble() != 3 || !pilots.isArray() || !controllers.isArray())
        return std::nullopt; // an error object, another document or another version
    StatusRecords records;
    QString observers;
    for (const QJsonValue &list : {controllers, of(document, "atis")}) {
        const QJsonArray stations = list.toArray();
        for (const QJsonValue &entry : stations) {
            if (!entry.isObject())
                continue;
            const QJsonObject station = entry.toObject();
            appendRecord(isObserver(station) ? observers : records.online, stationRecord(station));
        }
    }
    const QJsonArray pilotList = pilots.toArray();
    for (const QJsonValue &entry : pilotList) {
        if (entry.isObject())
            appendRecord(records.online, pilotRecord(entry.toObject()));
    }
    records.online += observers;
    const QJsonArray prefiles = of(document, "prefiles").toArray();
    for (const QJsonValue &entry : prefiles) {
        if (entry.isObject())
            appendRecord(records.prefiled, pilotRecord(entry.toObject()));
    }
    return records;
}

} // namespace tarvos::feed

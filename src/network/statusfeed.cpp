#include "network/statusfeed.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringDecoder>

#include <array>
#include <cmath>
#include <optional>

namespace tarvos {

namespace {

using Record = std::array<QString, kRecordFields>;

// A value must never shift the field count or split the line: separators and line breaks of
// every kind become blanks.
QString fieldText(QString text) {
    for (QChar &c : text) {
        switch (c.unicode()) {
        case u':':
        case u'\n':
        case u'\r':
        case u'\v':
        case u'\f':
        case 0x85:
        case 0x2028:
        case 0x2029:
            c = u' ';
            break;
        default:
            break;
        }
    }
    return text;
}

// Strings as they are, numbers in their shortest form (37126, 25.245342), booleans as words;
// null, absent, objects and arrays are empty.
QString valueText(const QJsonValue &value) {
    switch (value.type()) {
    case QJsonValue::String:
        return fieldText(value.toString());
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return {};
    }
}

std::optional<double> numberOf(const QJsonValue &value) {
    if (value.isDouble())
        return value.toDouble();
    if (value.isString()) {
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        if (ok)
            return d;
    }
    return std::nullopt;
}

// 118.7 becomes "118.700"; a frequency that is no number is kept as text.
QString frequencyText(const QJsonValue &value) {
    const std::optional<double> f = numberOf(value);
    if (f && std::isfinite(*f))
        return QString::number(*f, 'f', 3);
    return valueText(value);
}

// 102 becomes "0102"; a code that is no whole number between 0 and 9999 is kept as text.
QString transponderText(const QJsonValue &value) {
    const std::optional<double> code = numberOf(value);
    if (code && *code >= 0 && *code <= 9999 && std::floor(*code) == *code)
        return QStringLiteral("%1").arg(static_cast<int>(*code), 4, 10, QLatin1Char('0'));
    return valueText(value);
}

Record recordOf(const QJsonObject &client, const char *type) {
    const QJsonObject track = client.value(QLatin1String("lastTrack")).toObject();
    const QJsonObject plan = client.value(QLatin1String("flightPlan")).toObject();
    const QJsonObject session = client.value(QLatin1String("atcSession")).toObject();
    auto of = [](const QJsonObject &o, const char *key) { return o.value(QLatin1String(key)); };

    Record r;
    r[0] = valueText(of(client, "callsign"));
    r[1] = valueText(of(client, "userId"));
    r[2] = r[1]; // the feed carries no name
    r[3] = QLatin1String(type);
    r[4] = session.isEmpty() ? QString() : frequencyText(of(session, "frequency"));
    r[5] = valueText(of(track, "latitude"));
    r[6] = valueText(of(track, "longitude"));
    r[7] = valueText(of(track, "altitude"));
    r[8] = valueText(of(track, "groundSpeed"));
    r[9] = valueText(of(plan, "aircraftId"));
    r[10] = valueText(of(plan, "speed"));
    r[11] = valueText(of(plan, "departureId"));
    r[12] = valueText(of(plan, "level"));
    r[13] = valueText(of(plan, "arrivalId"));
    r[17] = track.contains(QLatin1String("transponder")) ? transponderText(of(track, "transponder"))
                                                         : QString();
    r[21] = valueText(of(plan, "flightRules"));
    r[28] = valueText(of(plan, "alternativeId"));
    r[29] = valueText(of(plan, "remarks"));
    r[30] = valueText(of(plan, "route"));
    return r;
}

void appendRecords(QString &out, const QJsonValue &clients, const char *type) {
    const QJsonArray list = clients.toArray();
    for (const QJsonValue &client : list) {
        if (!client.isObject())
            continue;
        const Record r = recordOf(client.toObject(), type);
        for (int i = 0; i < kRecordFields; ++i) {
            if (i > 0)
                out += u':';
            out += r[i];
        }
        out += u'\n';
    }
}

qsizetype firstNonBlank(const QByteArray &body) {
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return i;
    }
    return -1;
}

// The record layout: some line carries the separators of a whole flight plan (30 reach the
// route), or the old file's client section begins (a network with nobody online). A message or a
// page without either is no status text.
bool isRecordLayout(const QByteArray &body) {
    int separators = 0;
    for (const char c : body) {
        if (c == '\n')
            separators = 0;
        else if (c == ':' && ++separators >= 30)
            return true;
    }
    return body.startsWith("!CLIENTS") || body.contains("\n!CLIENTS");
}

QString decodeText(const QByteArray &body) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    // Not UTF-8: the old single-byte text of the network (Windows-1252; Latin-1 is the same for
    // the letters of names and places).
    return QString::fromLatin1(body);
}

} // namespace

namespace {

std::optional<QString> jsonFeedOf(const QByteArray &json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonValue clientsValue = document.object().value(QLatin1String("clients"));
    if (!clientsValue.isObject())
        return std::nullopt; // an error object of the server, or another document
    const QJsonObject clients = clientsValue.toObject();
    QString out;
    appendRecords(out, clients.value(QLatin1String("atcs")), "ATC");
    appendRecords(out, clients.value(QLatin1String("pilots")), "PILOT");
    appendRecords(out, clients.value(QLatin1String("observers")), "ATC");
    return out;
}

} // namespace

QString renderJsonFeed(const QByteArray &json) {
    return jsonFeedOf(json).value_or(QString());
}

std::optional<QString> statusTextOf(const QByteArray &download) {
    // A byte order mark in front of a document is no content.
    static const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray body = download.startsWith(bom) ? download.mid(bom.size()) : download;
    const qsizetype start = firstNonBlank(body);
    if (start < 0)
        return std::nullopt;
    const char first = body.at(start);
    if (first == '{')
        return jsonFeedOf(body);
    if (first == '<' || !isRecordLayout(body.mid(start)))
        return std::nullopt;
    return decodeText(body);
}

QString renderStatusText(const QByteArray &download) {
    return statusTextOf(download).value_or(QString());
}

} // namespace tarvos

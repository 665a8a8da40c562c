#include "network/statusfeed.h"

#include "network/feedrecords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <optional>

namespace tarvos {

namespace {

using namespace feed;

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
        if (client.isObject())
            feed::appendRecord(out, recordOf(client.toObject(), type));
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

std::optional<QJsonObject> jsonObjectOf(const QByteArray &json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

std::optional<QString> ivaoFeedOf(const QJsonObject &document) {
    const QJsonValue clientsValue = document.value(QLatin1String("clients"));
    if (!clientsValue.isObject())
        return std::nullopt; // an error object of the server, or another document
    const QJsonObject clients = clientsValue.toObject();
    QString out;
    appendRecords(out, clients.value(QLatin1String("atcs")), "ATC");
    appendRecords(out, clients.value(QLatin1String("pilots")), "PILOT");
    appendRecords(out, clients.value(QLatin1String("observers")), "ATC");
    return out;
}

std::optional<StatusRecords> jsonFeedOf(const QByteArray &json) {
    const std::optional<QJsonObject> document = jsonObjectOf(json);
    if (!document)
        return std::nullopt;
    if (document->contains(QLatin1String("clients"))) {
        std::optional<QString> text = ivaoFeedOf(*document);
        if (!text)
            return std::nullopt;
        return StatusRecords{*text, QString()};
    }
    return feed::vatsimFeedOf(*document);
}

} // namespace

QString renderJsonFeed(const QByteArray &json) {
    const std::optional<StatusRecords> records = jsonFeedOf(json);
    return records ? records->online : QString();
}

std::optional<StatusRecords> statusRecordsOf(const QByteArray &download) {
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
    return StatusRecords{decodeText(body), QString()};
}

std::optional<QString> statusTextOf(const QByteArray &download) {
    std::optional<StatusRecords> records = statusRecordsOf(download);
    if (!records)
        return std::nullopt;
    return std::move(records->online);
}

QString renderStatusText(const QByteArray &download) {
    return statusTextOf(download).value_or(QString());
}

} // namespace tarvos

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarvos {

// The number of fields of a record in the status text (0..48).
inline constexpr int kRecordFields = 49;

// Turns a downloaded status body into the status text that the record readers search:
// - a JSON document (first non-blank character "{") becomes one record per client, ATC positions
//   first, then pilots, then observers, LF line ends: IVAO's tracker feed (an object with its
//   "clients" object) or VATSIM's data feed ("general" with "version" 3, and the arrays "pilots"
//   and "controllers"; its ATIS stations count as ATC positions);
// - a body already in the record layout (a line of at least 30 separators, not markup) is used
//   as it comes, decoded as UTF-8, or as Windows-1252 when it is not valid UTF-8;
// - anything else (an HTML error page, half a JSON document, an empty body) gives an empty text,
//   so that every search finds nothing.
QString renderStatusText(const QByteArray &body);

// The same, telling an unreadable body from an empty network: nullopt for a body that is none of
// the two feeds nor the record layout (a line of a whole flight plan, or the old file's
// "!CLIENTS" section): an HTML page, a JSON error object, half a document, an empty body. A feed
// with nobody online is an empty text.
std::optional<QString> statusTextOf(const QByteArray &body);

// The records of a body: the clients online (the status text) and, apart from them, the flight
// plans that are filed for callsigns not connected yet (VATSIM's prefiles; empty for the other
// forms). A prefiled plan is no client: it is neither traffic nor a controller, only a plan to
// look up. Reentrant: a worker thread may read a body while the window goes on.
struct StatusRecords {
    QString online;
    QString prefiled;
};
std::optional<StatusRecords> statusRecordsOf(const QByteArray &body);

// The record layout of the tracker feed's JSON alone; empty for a body that is not a complete
// JSON object.
QString renderJsonFeed(const QByteArray &json);

} // namespace tarvos

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarvos {

// The number of fields of a record in the status text (0..48).
inline constexpr int kRecordFields = 49;

// Turns a downloaded status body into the status text that the record readers search:
// - a JSON document (first non-blank character "{") of the network's tracker feed becomes one
//   record per client, ATC positions first, then pilots, then observers, LF line ends;
// - a body already in the record layout (a line of at least 30 separators, not markup) is used
//   as it comes, decoded as UTF-8, or as Windows-1252 when it is not valid UTF-8;
// - anything else (an HTML error page, half a JSON document, an empty body) gives an empty text,
//   so that every search finds nothing.
QString renderStatusText(const QByteArray &body);

// The same, telling an unreadable body from an empty network: nullopt for a body that is neither
// the tracker feed (a JSON object with its "clients" object) nor the record layout (a line of a
// whole flight plan, or the old file's "!CLIENTS" section): an HTML page, a JSON error object,
// half a document, an empty body. A feed with nobody online is an empty text.
std::optional<QString> statusTextOf(const QByteArray &body);

// The record layout of the tracker feed's JSON alone; empty for a body that is not a complete
// JSON object.
QString renderJsonFeed(const QByteArray &json);

} // namespace tarvos

#pragma once

// What the renderers of the JSON feeds share: a record of 49 fields and the writing of a JSON
// value into one of them, so that both networks' records read alike.

#include "network/statusfeed.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <array>
#include <optional>

namespace tarvos::feed {

using Record = std::array<QString, kRecordFields>;

// A value must never shift the field count or split the line: separators and line breaks of
// every kind become blanks.
QString fieldText(QString text);

// Strings as they are, numbers in their shortest form (37126, 25.245342), booleans as words;
// null, absent, objects and arrays are empty.
QString valueText(const QJsonValue &value);

// 118.7 becomes "118.700"; a frequency that is no number is kept as text.
QString frequencyText(const QJsonValue &value);

// 102 becomes "0102"; a code that is no whole number between 0 and 9999 is kept as text.
QString transponderText(const QJsonValue &value);

// The record as one line: fields joined by ":", LF at the end.
void appendRecord(QString &out, const Record &record);

// VATSIM's data feed (version 3) as records; nullopt for a document that is not one.
std::optional<StatusRecords> vatsimFeedOf(const QJsonObject &document);

} // namespace tarvos::feed

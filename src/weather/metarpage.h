#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarvos {

// The longest METAR that AutoAtis keeps. Real reports stay under 200 characters; a longer text
// is cut here, so that a page of megabytes without a line end never reaches a label or the
// clipboard whole.
inline constexpr qsizetype kMaxMetarLength = 1024;

// A downloaded page as text. The weather pages are plain ASCII; anything else (a UTF-8 error
// page, stray bytes) is read as UTF-8, so that no byte can make the text invalid.
QString pageText(const QByteArray &body);

// The ICAO field as AutoAtis reads it before a run: exactly four characters are a code, in
// capitals, as typed (no trimming). nullopt for every other length, and for "Load", the word the
// field shows while a run downloads or after a run that found nothing: that is no airport, and a
// run that follows must fetch the airport it fetched before.
std::optional<QString> codeFromField(const QString &text6);

// The cut of a page of the second source ("NOAA") down to the report: the page from the first
// occurrence of `searchCode` (an empty code: from the start; a code that does not occur: the page
// stays whole), then up to the first "<BR>" (none: to the end).
QString noaaCut(const QString &page, const QString &searchCode);

// `getautoatis`'s search: the report of `station` in the page, from the first "<station> "
// (case-sensitive; a leading "METAR " or "SPECI " stays in front of it) to the first line end
// after it, and at most kMaxMetarLength characters. A page may hold several reports, newest first;
// the first one is taken. nullopt when the station with its blank is not in the page.
std::optional<QString> metarFromPage(const QString &page, const QString &station);

} // namespace tarvos

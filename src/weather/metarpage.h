#pragma once

#include <QByteArray>
#include <QDateTime>
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

// A report older than this is no current weather: airports close, and a station file can go on
// answering with a station's last report for years.
inline constexpr qint64 kMaxReportAgeSeconds = 3 * 3600;

// When the page dates the report of `station` in full: a station file has the date and time in
// UTC ("2026/12/09 08:50") on the line before the report. nullopt for a page without such a line
// (a report alone, an HTML page), whose report is taken as it comes.
std::optional<QDateTime> reportDate(const QString &page, const QString &station);

// Why the report of `station` in the page is too old to be today's weather, for the lamp's
// tooltip: "the last report of EDDT is from 2020/11/08 09:20 UTC, 6 years old". nullopt when the
// page gives no date, or the report is at most kMaxReportAgeSeconds old at `now`.
std::optional<QString> staleReport(const QString &page, const QString &station,
                                   const QDateTime &now);

} // namespace tarvos

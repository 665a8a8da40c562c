#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>

namespace tarvos {

// The five text fields of one strip row, as the log reads and rewrites them.
struct StripFields {
    QString callsign;
    QString dest;
    QString via;
    QString squawk;
    QString remarks;
    bool operator==(const StripFields &) const = default;
};

inline const QString kLogFileName = QStringLiteral("log.txt");

// Widths of the fixed columns of a log line. The line is fixed-width so that a person can read
// it in any editor and today's strips can be found by a plain search for the date.
inline constexpr int kLogCallsignWidth = 20;
inline constexpr int kLogDestWidth = 4;
inline constexpr int kLogViaWidth = 7;
inline constexpr int kLogSquawkWidth = 4;
inline constexpr int kLogRemarksWidth = 36;

// The one text form of dates and times in log.txt (07.12.2026, 14:05:09), used for writing and
// for finding today's lines. Neither holds two blanks in a row, the separator of the columns.
QString logDateText(const QDate &date);
QString logTimeText(const QTime &time);

// Blanks (spaces only) removed from both ends, as the strip fields are trimmed everywhere.
QString trimBlanks(const QString &text);

// The last 7 characters of a callsign (all of it when shorter), blanks trimmed: "Condor CFG440"
// gives "CFG440". The ground-info window and the clipboard texts use this short form.
QString callsignTail(const QString &callsign);

// What the row holds after it was logged: an empty field becomes its width in dots, every field
// is cut to its width (first characters kept). The console writes these back into the row.
StripFields normalisedStrip(const StripFields &row);

// An arrival is a strip whose Remarks begin with "Landung" or whose Squawk is exactly "----".
bool isArrival(const StripFields &row);

// The runway column: the take-off runway, or the landing runway for an arrival.
QString logRunway(const StripFields &row, const QString &takeoffRunway,
                  const QString &landingRunway);

// The log line of a row as the controller left it (the row is normalised first): upper-case
// callsign and the four other fields filled with dots to their widths, then date, time and
// runway, all separated by two blanks.
QString logLine(const StripFields &row, const QDateTime &now, const QString &takeoffRunway,
                const QString &landingRunway);

// The callsign that a logged strip enters into the ground-info window, or an empty text when it
// enters none: arrivals (Remarks beginning with "Landung") stay off the list, and so does a strip
// without a callsign.
QString groundInfoEntry(const StripFields &row);

// The lines of log.txt that hold today's date, in file order.
QStringList todaysLogLines(const QStringList &logLines, const QDate &today);

// The count caption of the today's-strips window: "0 Flugzeuge", "3 Flugzeuge".
QString aircraftCountText(qsizetype count);

} // namespace tarvos

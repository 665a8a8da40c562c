#pragma once

#include "console/datadir.h"

#include <QString>

#include <array>

namespace tarvos {

struct MetarReport;

// metar.txt: the three airports of the overview in its first three lines, in display order.
// Written with the Berlin airports and a two-line hint when it is missing.
DefaultFile metarListDefaultFile();

// The first three lines of metar.txt as the three codes, exactly as read (a missing line is an
// empty code, which no page contains).
std::array<QString, 3> overviewCodes(const QStringList &metarTxtLines);

// The texts of the panel while it downloads: the first line, then one mark before each fetch
// ("X " each time; the network source's third mark has no blank).
QString overviewWaitText();
QString overviewProgressMark(int fetchIndex, bool noaaSource);

// The runway text of a row: the runways of its airport `code` in rwy.txt for the wind of its own
// report, chosen as the console's runways are except that a wind straight across takes the
// easterly line here; "LA=" landing " TO=" take-off where the two differ, "RWY " and the runway
// where they are the same, empty when rwy.txt chooses no line for the airport and that wind.
QString overviewRunwayText(const QStringList &rwyLines, const QString &code,
                           const QString &rowMetar);

// One row of the overview for a report (row 1, 2 or 3): station, time, wind direction and speed
// in knots, the QNH as four digits ("////" when the report gives none) and the runway text; rows
// 1 and 2 end with CR LF.
QString overviewRow(const MetarReport &report, int row, const QString &runwayText);

// The panel text when nothing usable arrived.
QString overviewTimeoutText();

// The row of an airport whose code has no report in the pages: the code and "no METAR", with
// the blanks of a row after the code; rows 1 and 2 end with CR LF.
QString overviewMissingRow(const QString &code, int row);

// The whole overview from the three pages joined into one text. Each row's METAR is the text
// from its code, at most 100 characters and up to the first line end; a code that is not in the
// text, or whose text is no report, gets overviewMissingRow(), never another airport's report. Each
// row with a report has the runway text of its own airport and wind from `rwyLines` (rwy.txt).
struct Overview {
    QString text;      // the three rows
    QString lastmetar; // the METAR of the last row that had a report (none: `lastmetar` given)
    std::array<QString, 3> runwayTexts;
    std::array<bool, 3> found{}; // the row's code was in the pages
};
Overview buildOverview(const std::array<QString, 3> &codes, const QString &pages,
                       const QString &lastmetar, const QStringList &rwyLines);

// Whether the panel shows overviewTimeoutText() instead of the rows: when no code was in the
// pages (the downloads failed or were skipped), and when the last row was not read while the
// last report found is Tegel's.
bool overviewTimedOut(const Overview &overview, bool downloaded);

} // namespace tarvos

#pragma once

#include "console/datadir.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvos {

struct MetarReport;

// rwy.txt: any number of lines per airport, each one configuration, "EDDT 08L 08R" (station in
// columns 1-4, landing runway in 6-8, take-off runway in 10-12; a runway without L, C or R is
// padded with a blank). The word "preferred" from column 14 on marks a configuration kept for
// noise while the wind allows it. Written with the Berlin lines when it is missing.
DefaultFile rwyDefaultFile();

// The runways for the wind. Both are set together from one line, or neither.
struct RunwayChoice {
    std::optional<QString> text4; // landing runway
    std::optional<QString> text5; // take-off runway
};

// The wind as the runway choice weighs it: the direction as the weather row shows it ("260",
// "VRB", "000"; any other text counts as 0, a calm wind), the speed and the gust in knots.
struct RunwayWind {
    QString direction;
    int speed = 0;
    int gust = 0;
};

// The wind of a report; a wind that is not reported counts as calm.
RunwayWind runwayWind(const MetarReport &report);

// The line for a wind straight across, equally near both ends: the westerly one for the
// console's runways, the easterly one in the three-airport overview (the side that a wind of
// exactly 180 takes).
enum class At180 { Westerly, Easterly };

// Chooses from the lines of rwy.txt for `station` (columns 1-4, exactly, upper and lower case
// included):
// - a calm or variable wind, or a direction of 0: the first preferred line, else the first line;
// - else the first preferred line whose tailwind is at most 5 kt and whose crosswind is at most
//   15 kt, the gust counted;
// - else the line whose landing runway (its number times ten) points most nearly into the wind.
//   Of equally near lines, those of the side today's split takes (westerly from 181, and at 180
//   as `at180` says), and of those the last in the file. A line whose landing runway has the
//   wind behind it is never chosen this way: with no other line the runways stay.
// When no line is chosen both runways keep their content.
RunwayChoice chooseRunways(const QStringList &rwyLines, const QString &station,
                           const RunwayWind &wind, At180 at180 = At180::Westerly);
// The same for a wind direction text alone, without speed (a preferred line always holds).
RunwayChoice chooseRunways(const QStringList &rwyLines, const QString &station,
                           const QString &windDirection);

// Whether rwy.txt has a line for `station` (columns 1-4, exactly).
bool hasRunwayLines(const QStringList &rwyLines, const QString &station);

// The wind on a runway as the choice weighs it (its number times ten against the wind), for the
// runway field's tooltip: "26R: headwind 12 kt, crosswind 4 kt from the left", "tailwind" with
// the wind behind, the gust's figures after the steady ones ("; in gusts headwind 20 kt,
// crosswind 7 kt from the left"), "26R: calm wind", "26R: variable wind at 3 kt". Empty for a
// runway text without a number.
QString runwayWindText(const QString &runway, const RunwayWind &wind);

// `loadrwy` with the file as DataDir::openOrCreate gave it: a file that was only just created
// (or could not be) chooses nothing this time; the next AutoAtis cycle reads it.
RunwayChoice loadrwy(const DataDir::OpenResult &rwyFile, const QString &station,
                     const RunwayWind &wind);
RunwayChoice loadrwy(const DataDir::OpenResult &rwyFile, const QString &station,
                     const QString &windDirection);

} // namespace tarvos

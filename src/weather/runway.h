#pragma once

#include "console/datadir.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvos {

// rwy.txt: one line per airport and runway direction, "EDDT 08L 08R" (station in columns
// 1-4, landing runway in 6-8, take-off runway in 10-12; a runway without L, C or R is padded
// with a blank). Written with the Berlin lines when it is missing.
DefaultFile rwyDefaultFile();

// The runways for the wind. Both are set together from one line, or neither.
struct RunwayChoice {
    std::optional<QString> text4; // landing runway
    std::optional<QString> text5; // take-off runway
};

// Choose from the lines of rwy.txt for `station` (the airport of the last automatic METAR)
// and the wind direction text: a direction below 180 (VRB and other text count as 0) takes a
// line whose runway number is 17 or less, 180 and more one whose number is 18 or more. The
// station must match columns 1-4 exactly, upper and lower case included. When several lines
// fit, the last one wins; when none fits, both runways keep their content.
RunwayChoice chooseRunways(const QStringList &rwyLines, const QString &station,
                           const QString &windDirection);

// The same choice for a wind direction in degrees, with the line a wind of exactly 180 takes:
// the westerly one for the console's runways, the easterly one in the three-airport overview.
enum class At180 { Westerly, Easterly };
RunwayChoice chooseRunways(const QStringList &rwyLines, const QString &station, int windDegrees,
                           At180 at180);

// `loadrwy` with the file as DataDir::openOrCreate gave it: a file that was only just created
// (or could not be) chooses nothing this time; the next AutoAtis cycle reads it.
RunwayChoice loadrwy(const DataDir::OpenResult &rwyFile, const QString &station,
                     const QString &windDirection);

} // namespace tarvos

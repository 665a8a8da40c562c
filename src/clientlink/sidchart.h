#pragma once

#include <QRect>
#include <QSize>
#include <QString>

namespace tarvos {

// The two SID charts of the home airport, one for each operating direction.
enum class SidChart { West, East };

inline const QString kWestChartFile = QStringLiteral("sidwest.bmp");
inline const QString kEastChartFile = QStringLiteral("sideast.bmp");

QString chartFileName(SidChart chart);

// The chart for a landing runway: the number in its first two characters, 19 or more for the
// east chart ("19", "26R"), else the west chart ("08L", "18"; an empty or non-numeric field
// counts as 0).
SidChart chartForRunway(const QString &landingRunway);

// Where the chart window stands: directly under the anchor window's frame, left edges aligned,
// exactly the picture's size.
QRect chartGeometry(const QRect &anchorFrame, const QSize &pictureSize);

} // namespace tarvos

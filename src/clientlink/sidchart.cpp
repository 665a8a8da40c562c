#include "clientlink/sidchart.h"

#include "console/numbers.h"

namespace tarvos {

QString chartFileName(SidChart chart) {
    return chart == SidChart::East ? kEastChartFile : kWestChartFile;
}

SidChart chartForRunway(const QString &landingRunway) {
    return leadingInt(landingRunway.left(2)) >= 19 ? SidChart::East : SidChart::West;
}

QRect chartGeometry(const QRect &anchorFrame, const QSize &pictureSize) {
    return QRect(QPoint(anchorFrame.left(), anchorFrame.top() + anchorFrame.height()), pictureSize);
}

} // namespace tarvos

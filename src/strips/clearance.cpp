#include "strips/clearance.h"

namespace tarvos {

QString clearanceText(const QString &remarks, const QString &via, const QString &initialClimb,
                      const QString &squawk) {
    return QStringLiteral("You're cleared to DEST ") + remarks + QStringLiteral(" via ") + via +
           QStringLiteral(" DEP, flight planned route, initial climb ") + initialClimb +
           QStringLiteral("ft, Squawk ") + squawk;
}

} // namespace tarvos

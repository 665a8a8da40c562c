#include "strips/assist.h"

#include "strips/striplog.h"

namespace tarvos {

QString releaseRequestText(const QString &callsign, const QString &via,
                           const QString &initialClimb) {
    return QStringLiteral("APP! Request release ") + callsignTail(callsign) +
           QStringLiteral(" via ") + via + QStringLiteral(" DEP") + QStringLiteral(", IC=") +
           initialClimb + QStringLiteral("ft.");
}

QString ipSentence(const QString &remarks) {
    return QStringLiteral("My IP-Address is = ") + remarks;
}

QString landingRemarks(const QString &landingRunway) {
    return QStringLiteral("Landing RWY ") + landingRunway;
}

} // namespace tarvos

#pragma once

#include <QString>

namespace tarvos {

// The clearance sentence pasted into the ATC client's text channel; fields are used as they
// stand, so an empty one leaves its place in the sentence empty.
QString clearanceText(const QString &remarks, const QString &via, const QString &initialClimb,
                      const QString &squawk);

} // namespace tarvos

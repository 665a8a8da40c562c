#include "clientlink/groundinfo.h"

namespace tarvos {

void GroundInfo::setCallsign(int i, const QString &callsign) {
    m_rows.at(static_cast<std::size_t>(i)).callsign = callsign;
}

void GroundInfo::setCheck(int i, int column, bool checked) {
    m_rows.at(static_cast<std::size_t>(i)).checks.at(static_cast<std::size_t>(column)) = checked;
}

void GroundInfo::clearrow(int i) {
    m_rows.at(static_cast<std::size_t>(i)) = GroundRow{};
}

void GroundInfo::topit() {
    // Each empty row pulls everything below it up by one; the scan goes on with the next row
    // without looking at this one again, so a run of gaps needs more than one pass. Four passes
    // always suffice for ten rows; five are made.
    for (int pass = 0; pass < 5; ++pass) {
        for (int i = 0; i < kRows - 1; ++i) {
            if (!m_rows[static_cast<std::size_t>(i)].callsign.isEmpty())
                continue;
            for (int m = i + 1; m < kRows; ++m) {
                GroundRow &to = m_rows[static_cast<std::size_t>(m - 1)];
                GroundRow &from = m_rows[static_cast<std::size_t>(m)];
                to.callsign = from.callsign.toUpper();
                to.checks = from.checks;
                from = GroundRow{};
            }
        }
    }
}

void GroundInfo::clearAll() {
    m_rows.fill(GroundRow{});
}

int GroundInfo::enter(const QString &callsign, int groundcheckmode) {
    if (callsign.isEmpty())
        return -1;
    for (int i = 0; i < kRows; ++i) {
        GroundRow &row = m_rows[static_cast<std::size_t>(i)];
        if (!row.callsign.isEmpty())
            continue;
        row.callsign = callsign;
        row.checks[0] = true;
        if (groundcheckmode == 2)
            row.checks[1] = true;
        return i;
    }
    return -1;
}

} // namespace tarvos

#pragma once

#include <QString>
#include <array>

namespace tarvos {

// One row of the ground-info list: an aircraft still on the ground and the stages cleared so
// far (check 0 clearance, 1 start-up, 2 taxi).
struct GroundRow {
    QString callsign;
    std::array<bool, 3> checks{false, false, false};
    bool operator==(const GroundRow &) const = default;
};

// The ten rows of the ground-info window. A row counts as empty when its callsign is empty,
// whatever its check boxes show.
class GroundInfo {
public:
    static constexpr int kRows = 10;

    const GroundRow &row(int i) const { return m_rows.at(static_cast<std::size_t>(i)); }
    void setCallsign(int i, const QString &callsign);
    void setCheck(int i, int column, bool checked);

    // Empties row i: no callsign, no ticks.
    void clearrow(int i);

    // Closes the gaps: rows with a callsign move to the top in their order, moved callsigns in
    // capitals; empty rows (ticked or not) end up at the bottom, unticked.
    void topit();

    // Empties all ten rows.
    void clearAll();

    // Enters a departing aircraft into the first empty row, ticking the clearance and, when
    // groundcheckmode is 2, the start-up stage as well. Returns the row, or -1 when all ten rows
    // are taken or there is no callsign to enter.
    int enter(const QString &callsign, int groundcheckmode);

private:
    std::array<GroundRow, kRows> m_rows;
};

} // namespace tarvos

#pragma once

// What a stand-in ATC client writes down when the F-key macros run against it, the same on both
// desktops: one line per button or key event ("down 1 300,400", "release F11").

#include <QPoint>
#include <QStringList>

namespace tarvos::testing {

// Where the stand-in window lies; the pointer rests at P inside it, and the console spot
// (644, 12) is outside.
inline constexpr int kStandInLeft = 200, kStandInTop = 300, kStandInWidth = 400,
                     kStandInHeight = 300;
inline constexpr QPoint kP(300, 400);

inline QStringList click(int button, QPoint at) {
    const QString where = QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
    return {QStringLiteral("down %1 ").arg(button) + where,
            QStringLiteral("up %1 ").arg(button) + where};
}

inline QStringList keys(const char *name, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QStringLiteral("press ") + name << QStringLiteral("release ") + name;
    return out;
}

// F2: selects the aircraft, opens its menu, clicks the first entry and the item 30 below it;
// the click on the console spot lies outside the stand-in.
inline QStringList menuMacroBInput() {
    return click(1, kP) + click(3, kP) + click(1, kP + QPoint(10, 5)) +
           click(1, kP + QPoint(160, 35));
}

// F6: selects the aircraft, then twenty F11 and nine F12.
inline QStringList keyMacroF6Input() {
    return click(1, kP) + keys("F11", 20) + keys("F12", 9);
}

// One event a line, so that a failed comparison shows every event and where they part.
inline QString asLines(const QStringList &events) {
    return events.join(u'\n');
}

} // namespace tarvos::testing

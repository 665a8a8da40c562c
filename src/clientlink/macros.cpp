#include "clientlink/macros.h"

#include <Qt>
#include <algorithm>
#include <limits>

namespace tarvos {

namespace {

using Kind = MacroStep::Kind;
using Steps = std::vector<MacroStep>;

int saturated(qint64 value) {
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

QPoint offset(QPoint p, int dx, int dy) {
    return QPoint(saturated(qint64(p.x()) + dx), saturated(qint64(p.y()) + dy));
}

void moveTo(Steps &steps, QPoint at) {
    steps.push_back(MacroStep{Kind::MovePointer, at, 0});
}
void leftClick(Steps &steps) {
    steps.push_back(MacroStep{Kind::LeftDown, {}, 0});
    steps.push_back(MacroStep{Kind::LeftUp, {}, 0});
}
void rightClick(Steps &steps) {
    steps.push_back(MacroStep{Kind::RightDown, {}, 0});
    steps.push_back(MacroStep{Kind::RightUp, {}, 0});
}
void focusWindField(Steps &steps) {
    steps.push_back(MacroStep{Kind::FocusWindField, {}, 0});
}

// Every menu macro selects the aircraft under the pointer, opens its context menu and clicks
// the menu's first entry; the work position then stands at P + (10, 5).
QPoint menuOpening(Steps &steps, QPoint p) {
    leftClick(steps);
    rightClick(steps);
    const QPoint work = offset(p, 10, 5);
    moveTo(steps, work);
    leftClick(steps);
    return work;
}

// Clicks the spot that brings the console to the front, puts the focus into the wind field and
// the pointer back where it was. The ATC client handles the clicks before the focus comes back;
// one that takes the focus after the console took it back loses it again (see the controller).
void backToConsole(Steps &steps, QPoint saved) {
    moveTo(steps, kConsoleSpot);
    leftClick(steps);
    steps.push_back(MacroStep{Kind::Pause, {}, kMacroPauseMs});
    focusWindField(steps);
    moveTo(steps, saved);
}

Steps menuA(QPoint p, QSize screen) {
    Steps steps;
    const QPoint work = menuOpening(steps, p);
    moveTo(steps, offset(work, 150, 0));
    leftClick(steps);
    moveTo(steps, macroScreenCentre(screen));
    leftClick(steps);
    moveTo(steps, p); // the focus stays wherever the clicks left it
    return steps;
}

Steps menuB(QPoint p, int itemOffset) {
    Steps steps;
    const QPoint work = menuOpening(steps, p);
    moveTo(steps, offset(work, 150, itemOffset));
    leftClick(steps);
    backToConsole(steps, p);
    return steps;
}

Steps menuC(QPoint p) {
    Steps steps;
    const QPoint work = menuOpening(steps, p);
    moveTo(steps, offset(work, 150, 90)); // and left resting there
    return steps;
}

Steps keys(QPoint p, int f11, int f12) {
    Steps steps;
    leftClick(steps); // selects the aircraft and brings the ATC client to the front
    // Keys typed before the client has the keyboard would go to the console.
    steps.push_back(MacroStep{Kind::AwaitClient, {}, 0});
    steps.insert(steps.end(), f11, MacroStep{Kind::TypeF11, {}, 0});
    steps.insert(steps.end(), f12, MacroStep{Kind::TypeF12, {}, 0});
    backToConsole(steps, p);
    return steps;
}

int roundHalfEven(qint64 numerator, qint64 denominator) {
    qint64 q = numerator / denominator;
    const qint64 twice = 2 * (numerator % denominator);
    if (twice > denominator || (twice == denominator && q % 2 != 0))
        ++q;
    return saturated(q);
}

} // namespace

std::optional<int> macroForKey(int key) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F8)
        return key - Qt::Key_F1 + 1;
    return std::nullopt;
}

QPoint macroScreenCentre(QSize screenPixels) {
    constexpr qint64 kTwips = 15;
    const qint64 width = std::max(0, screenPixels.width()) * kTwips;
    const qint64 height = std::max(0, screenPixels.height()) * kTwips;
    return QPoint(roundHalfEven(width, kTwips * 2), roundHalfEven(height, kTwips * 2));
}

std::vector<MacroStep> macroSteps(int macro, QPoint pointer, QSize screenPixels) {
    switch (macro) {
    case 1:
        return menuA(pointer, screenPixels);
    case 2:
        return menuB(pointer, 30);
    case 3:
        return menuB(pointer, 50);
    case 4:
        return menuC(pointer);
    case 5:
        return keys(pointer, 20, 0);
    case 6:
        return keys(pointer, 20, 9);
    case 7:
        return keys(pointer, 20, 10);
    case 8:
        return keys(pointer, 0, 20);
    default:
        return {};
    }
}

} // namespace tarvos

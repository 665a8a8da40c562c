#pragma once

// What a stand-in ATC client writes down when the F-key macros run against it, the same on both
// desktops: one line per button or key event ("down 1 300,400", "release F11"); and the clients
// the macros are tried against, and how long a macro may take.

#include "clientlink/macrocontroller.h"
#include "clientlink/macros.h"
#include "console/form1.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QStringList>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>

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

// F2 and F3: select the aircraft, open its menu, click the first entry and the item
// `itemOffset` below it; the click on the console spot lies outside the stand-in.
inline QStringList menuMacroBInput(int itemOffset = 30) {
    return click(1, kP) + click(3, kP) + click(1, kP + QPoint(10, 5)) +
           click(1, kP + QPoint(160, 5 + itemOffset));
}

// The macros that end with the keyboard back in the wind field, each timed against each client.
inline constexpr Qt::Key kReturningMacros[] = {Qt::Key_F2, Qt::Key_F3, Qt::Key_F5,
                                               Qt::Key_F6, Qt::Key_F7, Qt::Key_F8};

// When each stand-in takes the keyboard after it has read a click, if ever.
struct StandIn {
    std::optional<int> focusAfterMs;
    const char *name;
};
inline const StandIn kStandIns[] = {{0, "takes the keyboard at once"},
                                    {50, "takes the keyboard after 50 ms"},
                                    {150, "takes the keyboard after 150 ms"},
                                    {std::nullopt, "never takes the keyboard"}};

// What a client receives of a returning macro: F5 to F8 type their keys only once it has the
// keyboard.
inline QStringList macroInput(Qt::Key key, bool clientHasTheKeyboard) {
    if (key == Qt::Key_F2 || key == Qt::Key_F3)
        return menuMacroBInput(key == Qt::Key_F2 ? 30 : 50);
    struct Keys {
        int f11, f12;
    };
    const Keys typed[] = {{20, 0}, {20, 9}, {20, 10}, {0, 20}}; // F5 .. F8
    const Keys k = typed[key - Qt::Key_F5];
    return click(1, kP) +
           (clientHasTheKeyboard ? keys("F11", k.f11) + keys("F12", k.f12) : QStringList());
}

// Presses `key` in the wind field and waits until the console no longer watches over the
// keyboard. No macro takes more than its second of waiting, its fixed pause and a margin for
// sending the input; the times are printed for the record.
inline void runTimed(Form1 &form, const MacroController &macros, Qt::Key key, const char *where) {
    // A key pressed by hand reaches the console through its event loop, after what the desktop
    // reported before it (under Wine, the X focus events of the last macro's return, which
    // would otherwise be handled in the middle of this macro).
    QTest::qWait(50);
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(form.Text1, key);
    const qint64 handler = clock.elapsed();
    while (macros.keepingTheKeyboard())
        QTest::qWait(1);
    const qint64 all = clock.elapsed();
    EXPECT_LT(all, kMacroWaitMs + kMacroPauseMs + 150);
    std::printf("%s: F%d: %lld ms in the key's handler, %lld ms with the watch over the keyboard\n",
                where, key - Qt::Key_F1 + 1, static_cast<long long>(handler),
                static_cast<long long>(all));
}

// One event a line, so that a failed comparison shows every event and where they part.
inline QString asLines(const QStringList &events) {
    return events.join(u'\n');
}

} // namespace tarvos::testing

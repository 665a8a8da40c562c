#include "clientlink/macros.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

using namespace tarvos;

namespace {

// Compact form of a macro: "ld lu" left down/up, "rd ru" right, "m x,y" a move, "F11*20" a run
// of keys, "p30" a pause, "await" the wait for the ATC client to take the keyboard, "focus" the
// wind field.
std::string compact(const std::vector<MacroStep> &steps) {
    QStringList out;
    QString lastKey;
    int run = 0;
    auto flush = [&] {
        if (run > 0)
            out << QStringLiteral("%1*%2").arg(lastKey).arg(run);
        run = 0;
    };
    for (const MacroStep &s : steps) {
        using K = MacroStep::Kind;
        if (s.kind == K::TypeF11 || s.kind == K::TypeF12) {
            const QString key =
                s.kind == K::TypeF11 ? QStringLiteral("F11") : QStringLiteral("F12");
            if (key != lastKey)
                flush();
            lastKey = key;
            ++run;
            continue;
        }
        flush();
        lastKey.clear();
        switch (s.kind) {
        case K::MovePointer:
            out << QStringLiteral("m %1,%2").arg(s.at.x()).arg(s.at.y());
            break;
        case K::LeftDown:
            out << "ld";
            break;
        case K::LeftUp:
            out << "lu";
            break;
        case K::RightDown:
            out << "rd";
            break;
        case K::RightUp:
            out << "ru";
            break;
        case K::Pause:
            out << QStringLiteral("p%1").arg(s.pauseMs);
            break;
        case K::AwaitClient:
            out << "await";
            break;
        case K::FocusWindField:
            out << "focus";
            break;
        default:
            break;
        }
    }
    flush();
    return out.join(QLatin1Char(' ')).toStdString();
}

TEST(Macros, EachKeysSequence) {
    const QPoint p(400, 300);
    const QSize screen(1024, 768);
    const std::string opening = "ld lu rd ru m 410,305 ld lu ";
    const std::string back = "m 644,12 ld lu p30 focus m 400,300";
    const std::pair<int, std::string> cases[] = {
        {1, opening + "m 560,305 ld lu m 512,384 ld lu m 400,300"},
        {2, opening + "m 560,335 ld lu " + back},
        {3, opening + "m 560,355 ld lu " + back},
        {4, opening + "m 560,395"},
        {5, "ld lu await F11*20 " + back},
        {6, "ld lu await F11*20 F12*9 " + back},
        {7, "ld lu await F11*20 F12*10 " + back},
        {8, "ld lu await F12*20 " + back},
    };
    for (const auto &[macro, expected] : cases)
        EXPECT_EQ(compact(macroSteps(macro, p, screen)), expected) << "F" << macro;
    EXPECT_TRUE(macroSteps(0, p, screen).empty());
    EXPECT_TRUE(macroSteps(9, p, screen).empty());
}

TEST(Macros, KeysThatStartThem) {
    for (int f = 1; f <= 8; ++f)
        EXPECT_EQ(macroForKey(Qt::Key_F1 + f - 1), f);
    for (int key : {int(Qt::Key_F9), int(Qt::Key_F12), int(Qt::Key_Escape), int(Qt::Key_A), 0})
        EXPECT_EQ(macroForKey(key), std::nullopt) << key;
}

TEST(Macros, ScreenCentreRoundsHalvesToEven) {
    const std::pair<QSize, QPoint> cases[] = {
        {{1024, 768}, {512, 384}}, {{1025, 769}, {512, 384}}, {{1023, 767}, {512, 384}},
        {{1027, 1}, {514, 0}},     {{0, 0}, {0, 0}},
    };
    for (const auto &[screen, centre] : cases)
        EXPECT_EQ(macroScreenCentre(screen), centre) << screen.width() << "x" << screen.height();
}

TEST(Macros, CoordinatesSaturateInsteadOfOverflowing) {
    constexpr int kMax = std::numeric_limits<int>::max();
    const std::vector<MacroStep> steps = macroSteps(4, QPoint(kMax - 5, kMax - 5), {1024, 768});
    EXPECT_EQ(steps.back().at, QPoint(kMax, kMax));
}

} // namespace

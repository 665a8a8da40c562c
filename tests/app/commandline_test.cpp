// The program's command line in a terminal without a display: the answers that need no window
// come without one, and a start that has no window system ends with one line, never an abort.
// CTest runs this executable with DISPLAY and WAYLAND_DISPLAY unset.

#include "fakes/qtprint.h"
#include "platform/windowsystem.h"

#include <QProcess>
#include <gtest/gtest.h>

using tarvos::chooseWindowSystem;

namespace {

struct Outcome {
    int exitCode = -1;
    bool crashed = true;
    QString out, err;
};

Outcome runTarvos(const QStringList &arguments, const QString &display = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(QStringLiteral(TARVOS_BINARY), arguments);
    Outcome run;
    if (!p.waitForFinished(30000))
        return run;
    run.exitCode = p.exitCode();
    run.crashed = p.exitStatus() != QProcess::NormalExit;
    run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(p.readAllStandardError());
    return run;
}

TEST(CommandLine, AnsweredWithoutADisplay) {
    struct Case {
        QStringList arguments;
        int exitCode;
        const char *out; // a part of stdout, or of stderr when stdout is expected empty
        const char *err;
    } cases[] = {
        {{"--version"}, 0, "Tarvos V7.4\n", nullptr},
        {{"-v"}, 0, "Tarvos V7.4\n", nullptr},
        {{"--help"}, 0, "--data-dir <dir>", nullptr},
        {{"-h"}, 0, "Usage: ", nullptr},
        {{"--nonsense"}, 2, nullptr, "tarvos: Unknown option 'nonsense'."},
        {{"--data-dir"}, 2, nullptr, "Missing value after '--data-dir'."},
        {{"stray"}, 2, nullptr, "tarvos: Unexpected argument 'stray'."},
        {{"-platform", "xcb"}, 2, nullptr, "Unknown options: p, l, a, t, f, o, r, m."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome run = runTarvos(c.arguments);
        EXPECT_FALSE(run.crashed) << run.err;
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (c.out)
            EXPECT_TRUE(run.out.contains(c.out)) << run.out;
        else
            EXPECT_EQ(run.out, QString());
        if (c.err) {
            EXPECT_TRUE(run.err.contains(c.err)) << run.err;
            EXPECT_TRUE(run.err.contains("Usage: ")) << "a wrong option shows the usage";
        } else {
            EXPECT_EQ(run.err, QString());
        }
    }
}

TEST(CommandLine, AStartWithoutAWindowSystemEndsWithOneLine) {
    struct Case {
        const char *display;
        const char *err;
    } cases[] = {
        {"", "tarvos: no display to open the console on (neither DISPLAY nor WAYLAND_DISPLAY is "
             "set)\n"},
        // A display that does not answer is found by Qt, whose abort becomes the same one line.
        {":4242", "tarvos: cannot open the console's window: could not connect to display :4242\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.display);
        const Outcome run = runTarvos({}, QString::fromLatin1(c.display));
        EXPECT_FALSE(run.crashed) << run.err;
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, QString::fromLatin1(c.err));
    }
}

TEST(WindowSystem, XDisplayWinsUnlessAPlatformWasChosen) {
    struct Case {
        const char *qtPlatform, *display, *waylandDisplay, *platform;
        bool problem;
    } cases[] = {
        {"", ":0", "wayland-0", "xcb", false}, // a Wayland desktop with XWayland
        {"", ":0", "", "xcb", false},
        {"", "", "wayland-0", "wayland", false}, // Wayland without XWayland
        {"", "", "", "", true},
        {"wayland", ":0", "wayland-0", "", false}, // the user's choice is Qt's to follow
        {"offscreen", "", "", "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.qtPlatform << "|" << c.display << "|" << c.waylandDisplay);
        const tarvos::WindowSystemChoice choice =
            chooseWindowSystem(c.qtPlatform, c.display, c.waylandDisplay);
        EXPECT_EQ(choice.platform, QByteArray(c.platform));
        EXPECT_EQ(choice.problem.isEmpty(), !c.problem);
    }
}

} // namespace

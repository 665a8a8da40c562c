#include "platform/windowsystem.h"

#include <QApplication>
#include <QList>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tarvos {

WindowSystemChoice chooseWindowSystem(const QByteArray &qtPlatform, const QByteArray &display,
                                      const QByteArray &waylandDisplay) {
    if (!qtPlatform.isEmpty())
        return {};
    if (!display.isEmpty())
        return {QByteArrayLiteral("xcb"), {}};
    if (!waylandDisplay.isEmpty())
        return {QByteArrayLiteral("wayland"), {}};
    return {{},
            QStringLiteral("no display to open the console on (neither DISPLAY nor "
                           "WAYLAND_DISPLAY is set)")};
}

namespace {

// Qt ends the process with abort() when no platform plugin opens, after a few lines of which
// the first says why ("could not connect to display :42"). While the application object is
// made, its messages are held back: a fatal one turns them into one line and exit status 1, and
// after a good start they are passed on.
struct HeldMessage {
    QtMsgType type;
    QByteArray category, file, function;
    int line;
    QString text;
};
QList<HeldMessage> held;
QtMessageHandler passOn = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type != QtFatalMsg) {
        held.append({type, context.category, context.file, context.function, context.line, text});
        return;
    }
    QString reason = text.section(QLatin1Char('\n'), 0, 0);
    for (const HeldMessage &m : std::as_const(held)) {
        if (m.type == QtWarningMsg || m.type == QtCriticalMsg) {
            reason = m.text;
            break;
        }
    }
    std::fprintf(stderr, "tarvos: cannot open the console's window: %s\n",
                 reason.toLocal8Bit().constData());
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> openApplication(int argc, char **argv) {
    WindowSystemChoice choice;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    choice = chooseWindowSystem(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                qgetenv("WAYLAND_DISPLAY"));
#endif
    if (!choice.problem.isEmpty()) {
        std::fprintf(stderr, "tarvos: %s\n", choice.problem.toLocal8Bit().constData());
        return nullptr;
    }
    // The choice goes to Qt as its -platform argument rather than into the environment, so that
    // a program the console starts (the text editor) makes its own. QApplication keeps the
    // arguments for its lifetime.
    static std::vector<char *> arguments;
    static QByteArray platformOption("-platform");
    static QByteArray platform;
    arguments.assign(argv, argv + argc);
    if (!choice.platform.isEmpty()) {
        platform = choice.platform;
        arguments.push_back(platformOption.data());
        arguments.push_back(platform.data());
    }
    static int count;
    count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);

    passOn = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(count, arguments.data());
    qInstallMessageHandler(passOn);
    for (const HeldMessage &m : std::as_const(held)) {
        const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(),
                                         m.category.isNull() ? nullptr : m.category.constData());
        if (passOn)
            passOn(m.type, context, m.text);
    }
    held.clear();
    return application;
}

} // namespace tarvos

// Tarvos: the controller's desk beside the ATC client.

#include "app/commandline.h"
#include "app/console.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "platform/qtplatform.h"
#include "platform/terminationsignals.h"
#include "platform/windowsystem.h"

#include <QApplication>
#include <QSessionManager>
#include <QStandardPaths>

int main(int argc, char *argv[]) {
    tarvos::TerminationSignals::catchEarly();
    QApplication::setApplicationName(QStringLiteral("Tarvos"));
    QApplication::setApplicationVersion(QStringLiteral("V7.4"));

    const tarvos::CommandLine commandLine = tarvos::readCommandLine(argc, argv);
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;
    const std::unique_ptr<QApplication> app = tarvos::openApplication(argc, argv);
    if (!app)
        return 1;

    const QString directory = tarvos::chooseDataDirectory(
        commandLine.dataDir, QCoreApplication::applicationDirPath(),
        // Not the roaming folder on Windows: the tables belong to this machine's ATC client.
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));

    tarvos::QtPlatform desktop;
    tarvos::Console console(desktop.platform, directory);
    tarvos::TerminationSignals termination;
    QObject::connect(&termination, &tarvos::TerminationSignals::terminationRequested, app.get(),
                     &QApplication::quit);
    QObject::connect(app.get(), &QApplication::aboutToQuit, &console, &tarvos::Console::shutdown);
#ifndef QT_NO_SESSIONMANAGER
    // The session is about to end (on Windows WM_QUERYENDSESSION, which Qt answers yes after
    // this): what waits for its second goes to the disk now, without a question. The end itself
    // comes as aboutToQuit (WM_ENDSESSION), or not at all when another program cancels it.
    QObject::connect(app.get(), &QGuiApplication::commitDataRequest, &console,
                     [&console](QSessionManager &) { console.saveState(); });
#endif
    QObject::connect(&console, &tarvos::Console::shutDown, app.get(), &QApplication::quit,
                     Qt::QueuedConnection);

    console.startup();
    console.form1().show();
    return QApplication::exec();
}

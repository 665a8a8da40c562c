// Tarvos: the controller's desk beside the ATC client.

#include "app/console.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "platform/qtplatform.h"
#include "platform/terminationsignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char *argv[]) {
    tarvos::TerminationSignals::catchEarly();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvos"));
    QApplication::setApplicationVersion(QStringLiteral("V7.4"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tarvos - flight strips, weather and ATIS beside the ATC client."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the data files (squawk.txt, log.txt, airlines.txt, ...) in <dir>."),
        QStringLiteral("dir"));
    parser.addOption(dataDir);
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "tarvos: unexpected argument '%s'\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 2;
    }

    const QString directory = tarvos::chooseDataDirectory(
        parser.value(dataDir), QCoreApplication::applicationDirPath(),
        // Not the roaming folder on Windows: the tables belong to this machine's ATC client.
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));

    tarvos::QtPlatform desktop;
    tarvos::Console console(desktop.platform, directory);
    tarvos::TerminationSignals termination;
    QObject::connect(&termination, &tarvos::TerminationSignals::terminationRequested, &app,
                     &QApplication::quit);
    QObject::connect(&app, &QApplication::aboutToQuit, &console, &tarvos::Console::shutdown);
    QObject::connect(&console, &tarvos::Console::shutDown, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    console.startup();
    console.form1().show();
    return app.exec();
}

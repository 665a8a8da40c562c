#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace tarvos {

namespace {

void print(std::FILE *to, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

} // namespace

CommandLine readCommandLine(int argc, char **argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // Own help and version options instead of Qt's: Qt's add --help-all, which would list the
    // window-system options of a QApplication that does not exist yet.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tarvos - flight strips, weather and ATIS beside the ATC client."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print the options and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version and exit."));
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the data files (squawk.txt, log.txt, airlines.txt, ...) in <dir>."),
        QStringLiteral("dir"));
    parser.addOptions({help, version, dataDir});

    QString problem;
    if (!parser.parse(arguments))
        problem = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        problem = QStringLiteral("Unexpected argument '%1'.")
                      .arg(parser.positionalArguments().constFirst());

    CommandLine line;
    if (!problem.isEmpty() || parser.isSet(help)) {
        // The usage names the program as it was called, which the parser takes from an
        // application object; a core one opens no window.
        int count = argc;
        const QCoreApplication forTheUsage(count, argv);
        if (problem.isEmpty()) {
            print(stdout, parser.helpText());
            line.exitStatus = 0;
        } else {
            print(stderr, QStringLiteral("tarvos: %1\n\n%2").arg(problem, parser.helpText()));
            line.exitStatus = 2;
        }
    } else if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        line.exitStatus = 0;
    } else {
        line.dataDir = parser.value(dataDir);
    }
    return line;
}

} // namespace tarvos

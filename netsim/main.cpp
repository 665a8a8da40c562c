// tarvos-netsim: the recorded network on 127.0.0.1, for training and testing without internet.
//   tarvos-netsim [--port N] [--vatsim] [folder]
// Serves the folder of recorded answers (by default the one bundled with the project) and prints
// the address it listens on and the network.txt lines that point Tarvos at it.
#include "netsimserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvos-netsim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves recorded network answers on 127.0.0.1. Any request may carry the query items "
        "netsim-delay=<ms> and netsim-status=<code>."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port to listen on (default: any free)."),
                                        QStringLiteral("port"), QStringLiteral("0"));
    parser.addOption(portOption);
    const QCommandLineOption vatsimOption(
        QStringLiteral("vatsim"),
        QStringLiteral("Print the network.txt lines of a VATSIM console (its v3 data feed and its "
                       "METAR service) instead of an IVAO one."));
    parser.addOption(vatsimOption);
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Folder of recorded answers."));
    parser.process(app);

    // An installed program serves the recordings installed beside it, a built one those of the
    // source tree.
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tarvos/netsim");
    const QString bundled = QFileInfo::exists(installed) ? QDir(installed).absolutePath()
                                                         : QStringLiteral(TARVOS_NETSIM_RECORDED);
    const QStringList args = parser.positionalArguments();
    const QString folder = args.isEmpty() ? bundled : args.first();
    tarvos::NetsimServer server(folder);
    QTextStream out(stdout);
    if (server.start(static_cast<quint16>(parser.value(portOption).toUInt())) == 0) {
        QTextStream(stderr) << "tarvos-netsim: cannot listen on 127.0.0.1 port "
                            << parser.value(portOption) << "\n";
        return 1;
    }
    const QString base = server.url(QString()).toString();
    const bool vatsim = parser.isSet(vatsimOption);
    out << "tarvos-netsim listening on " << base << "/ serving " << folder << "\n"
        << "network.txt lines for Tarvos:\n";
    if (vatsim)
        out << "network=vatsim\n"
            << "status=" << base << "/v3/vatsim-data.json\n";
    else
        out << "status=" << base << "/v2/tracker/whazzup\n";
    out << "update=" << base << "/upd.txt\n"
        << "ipecho=" << base << "/ip\n";
    if (vatsim)
        out << "metar-network=" << base << "/metar/{code}\n";
    else
        out << "metar-network=" << base << "/data/observations/metar/stations/{code}.TXT\n";
    out << "metar-noaa=" << base << "/api/data/metar?ids={code}&format=raw\n"
        << "airports=" << base << "/ourairports-data/\n";
    out.flush();
    return QCoreApplication::exec();
}

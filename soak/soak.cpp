// One scripted evening at the console: the real Console with the desktop's services on an X
// display, driven through its widgets with QTest, against the recorded network in this process.
// 30 minutes of the AutoAtis minute timer are ticked fast (AutoAtis runs at every tenth tick);
// 500 strips are typed, cleared ("Fa") and deleted ("Lö"); the controller list, flight-plan
// lookups (auto-dest) and traffic listings run in between, and one answer in five of the server
// is slow or fails. Message boxes are counted instead of waiting for a click.
//   tarvos_soak [strips]     (prints a report; exit status 1 when a check failed)
#include "app/console.h"
#include "console/form1.h"
#include "netsimserver.h"
#include "platform/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <chrono>
#include <cstdio>

using namespace tarvos;
using namespace std::chrono_literals;

namespace {

// Message boxes are counted by their text; a controller dismisses each of them by hand.
class CountingMessages final : public MessageBox {
public:
    void show(const QString &text, Icon) override { ++shown[text]; }
    void open(const QString &text, Icon) override { ++shown[text]; }
    QHash<QString, int> shown;
};

long procStatusKiB(const char *key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void settle(int ms = 5) {
    QTest::qWait(ms);
}

void click(QWidget *widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
    settle();
}

void typeInto(QWidget *field, const QString &text) {
    click(field);
    QTest::keyClicks(field, text);
    settle();
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvos"));
    const int strips = argc > 1 ? QByteArray(argv[1]).toInt() : 500;

    QTemporaryDir data;
    NetsimServer server(QStringLiteral(TARVOS_NETSIM_RECORDED));
    if (!data.isValid() || server.start() == 0) {
        std::fprintf(stderr, "tarvos_soak: no data folder or no server\n");
        return 1;
    }
    const QString base = server.url(QString()).toString();
    QFile network(QDir(data.path()).filePath(QStringLiteral("network.txt")));
    if (!network.open(QIODevice::WriteOnly))
        return 1;
    network.write(QStringLiteral("status=%1/v2/tracker/whazzup\nupdate=%1/upd.txt\nipecho=%1/ip\n"
                                 "metar-network=%1/data/observations/metar/stations/{code}.TXT\n"
                                 "metar-noaa=%1/api/data/metar?ids={code}&format=raw\n"
                                 "atc-shortcuts=%2/no-client/shortcut.txt\n"
                                 "airports=%1/ourairports-data/\n")
                      .arg(base, data.path())
                      .toUtf8());
    network.close();

    QtPlatform desktop;
    CountingMessages messages;
    Platform platform = desktop.platform;
    platform.messages = &messages;
    Console console(platform, data.path());
    console.startup();
    Form1 &form = console.form1();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    settle(1500);         // the first AutoAtis run, half a second after start
    click(form.Command8); // DEP: the strip board
    click(form.Check2);   // auto-dest: leaving a callsign fetches its flight plan

    // One answer in five is slow (2.5 s) or fails (503), taking turns.
    const QStringList paths{QStringLiteral("/v2/tracker/whazzup"),
                            QStringLiteral("/data/observations/metar/stations/EDDT.TXT"),
                            QStringLiteral("/api/data/metar")};
    int answers = 0;
    const auto nextAnswer = [&] {
        server.clearOverrides();
        if (++answers % 5 != 0)
            return;
        for (const QString &path : paths) {
            if ((answers / 5) % 2)
                server.setStatus(path, 503);
            else
                server.setDelay(path, 2500ms);
        }
    };

    const QStringList callsigns{QStringLiteral("dlh"), QStringLiteral("afr"), QStringLiteral("ber"),
                                QStringLiteral("cfg")};
    const QStringList dests{QStringLiteral("EDDF"), QStringLiteral("EDDM"), QStringLiteral("LFPG"),
                            QStringLiteral("EGLL")};
    long rssStart = 0;
    int minute = 0;
    for (int n = 0; n < strips; ++n) {
        const int r = n % Form1::kRows;
        nextAnswer();
        typeInto(form.Text7[r], callsigns[n % callsigns.size()] + QString::number(100 + n % 900));
        nextAnswer();
        typeInto(form.Text8[r], dests[n % dests.size()]); // leaves the callsign: flight plan
        typeInto(form.Text9[r], QStringLiteral("b5l"));
        typeInto(form.Text10[r], QStringLiteral("a"));
        click(form.fa[r]);
        click(form.del[r]);
        if (n % 25 == 7) {
            nextAnswer();
            click(form.Command3); // the active controllers
        }
        if (n % 25 == 19) {
            nextAnswer();
            click(form.Command42); // the traffic of the home airport
        }
        // 30 minutes over the evening, AutoAtis at every tenth.
        if ((n + 1) * 30 / strips > minute) {
            ++minute;
            nextAnswer();
            QMetaObject::invokeMethod(form.Timer2, "timeout", Qt::DirectConnection);
        }
        if (n == 49)
            rssStart = procStatusKiB("VmRSS:");
    }
    server.clearOverrides();
    settle(3000); // the last slow answers arrive
    const long rssEnd = procStatusKiB("VmRSS:");
    const long peak = procStatusKiB("VmHWM:");
    console.shutdown();

    // The log holds one line per deleted strip, squawk.txt its four lines.
    QTextStream out(stdout);
    bool ok = true;
    QFile log(QDir(data.path()).filePath(QStringLiteral("log.txt")));
    const qsizetype logLines = log.open(QIODevice::ReadOnly) ? log.readAll().count("\r\n") : -1;
    QFile squawk(QDir(data.path()).filePath(QStringLiteral("squawk.txt")));
    const QList<QByteArray> squawkLines =
        squawk.open(QIODevice::ReadOnly) ? squawk.readAll().split('\n') : QList<QByteArray>{};
    // Four whole lines: S (empty until set), the next squawk, the home airport, the ATIS number.
    const bool squawkWhole = squawkLines.size() == 5 && squawkLines.last().isEmpty() &&
                             squawkLines[1].trimmed().size() == 4 &&
                             squawkLines[2].trimmed() == "EDDT" &&
                             !squawkLines[3].trimmed().isEmpty();
    out << "strips typed, cleared and deleted: " << strips << "\n"
        << "minutes ticked: " << minute << ", answers of the server: " << answers
        << " (every fifth slow or failing)\n"
        << "requests: status feed " << server.requests(paths[0]) << ", METAR "
        << server.requests(paths[1]) + server.requests(paths[2]) << "\n"
        << "memory after 50 strips: " << rssStart << " KiB, at the end: " << rssEnd
        << " KiB, peak: " << peak << " KiB\n"
        << "log.txt lines: " << logLines << "\n"
        << "squawk.txt: " << (squawkWhole ? "whole" : "NOT whole") << " ("
        << squawkLines.mid(0, 4).join(" | ").trimmed() << ")\n";
    ok = ok && logLines == strips && squawkWhole;
    for (auto it = messages.shown.cbegin(); it != messages.shown.cend(); ++it) {
        out << "message box x" << it.value() << ": " << it.key().left(90) << "\n";
        ok = ok && it.value() == 1;
    }
    out << (ok ? "soak passed" : "soak FAILED") << "\n";
    return ok ? 0 : 1;
}

// The window's thread while a big download is read: the longest gap between two ticks of a
// 1 ms timer, with the read on a worker thread (as the console does) and on the window's thread
// itself (as it used to), and the peak memory of each. Two feeds: IVAO's capture five times
// over (3,995 clients) and VATSIM's three times over (about 4,900 pilots and stations); and
// OurAirports' files: the rwy.txt lines of one airport from the world's runways.csv, and
// ICAO.txt made from the world's airports.csv and written. Each run is a process of its own,
// so that no run's memory counts in another's.
//   feed_stall_bench                      every run, as a table
//   feed_stall_bench <ivao|vatsim|runways|icao> <worker|thread|idle> [repetitions]   one run,
//   one row (idle: no read, the machine's own gaps for comparison)
#include "console/opendata.h"
#include "network/statusfeed.h"
#include "platform/worker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace tarvos;

namespace {

QByteArray fileBytes(const char *name) {
    QFile file(QStringLiteral(TARVOS_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

QJsonArray times(const QJsonArray &once, int n) {
    QJsonArray many;
    for (int i = 0; i < n; ++i) {
        for (const QJsonValue &v : once)
            many.append(v);
    }
    return many;
}

QByteArray busyFeed(bool vatsim) {
    QJsonObject root =
        QJsonDocument::fromJson(
            fileBytes(vatsim ? "vatsim-v3-2021-01-03.json" : "ivao-whazzup-v2-2023-01-04.json"))
            .object();
    if (vatsim) {
        for (const char *list : {"pilots", "controllers", "atis", "prefiles"})
            root.insert(list, times(root.value(list).toArray(), 3));
    } else {
        QJsonObject clients = root.value("clients").toObject();
        for (const char *list : {"atcs", "pilots", "observers"})
            clients.insert(list, times(clients.value(list).toArray(), 5));
        root.insert("clients", clients);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

// A line of /proc/self/status in kB ("VmRSS", "VmHWM").
qint64 statusKb(const char *key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key) + 1).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// From here on the peak (VmHWM) counts from the memory in use now.
void resetPeak() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

QCoro::Task<> readOnWorker(Worker &worker, std::function<void()> job, bool &done) {
    QCoro::Task<> reading = worker.run(std::move(job));
    co_await reading;
    done = true;
}

// What one run reads, and how many records (clients, lines) the read gives.
struct Load {
    qint64 bytes = 0;
    std::function<qsizetype()> read;
};

Load loadFor(const QString &kind, const QString &folder) {
    const QString data = QStringLiteral(TARVOS_TEST_DATA "/");
    if (kind == QLatin1String("runways")) {
        const QString path = data + QStringLiteral("ourairports-runways-2026-08-22.csv");
        return {QFileInfo(path).size(), [path] {
                    return rwyLinesFromRunwaysCsv(path, QStringLiteral("LEMD")).lines.size();
                }};
    }
    if (kind == QLatin1String("icao")) {
        const QString path = data + QStringLiteral("ourairports-airports-2020-10-21.csv");
        const QString out = folder + QStringLiteral("/ICAO.txt");
        return {QFileInfo(path).size(), [path, out] {
                    const QStringList lines = icaoLinesFromAirportsCsv(path).lines;
                    QSaveFile file(out);
                    if (!file.open(QIODevice::WriteOnly))
                        std::abort();
                    file.write(lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
                    return file.commit() ? lines.size() : qsizetype(-1);
                }};
    }
    const QByteArray body = busyFeed(kind == QLatin1String("vatsim"));
    return {body.size(), [body] {
                const std::optional<StatusRecords> records = statusRecordsOf(body);
                return records ? records->online.count(u'\n') : qsizetype(-1);
            }};
}

void runEventsFor(qint64 ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
}

int runOne(const QString &kind, const QString &where, int repetitions) {
    const bool idle = where == QLatin1String("idle");
    const bool onWorker = where == QLatin1String("worker");
    QTemporaryDir folder;
    const Load load = loadFor(kind, folder.path());
    std::atomic<qsizetype> records = 0;
    ThreadPoolWorker worker;

    QElapsedTimer clock;
    clock.start();
    qint64 last = -1;
    qint64 worst = 0;
    bool measuring = false;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (measuring && last >= 0)
            worst = std::max(worst, now - last);
        last = now;
    });
    tick.start();
    runEventsFor(200);

    std::vector<double> gaps;
    std::vector<double> reads;
    // The memory with the body downloaded (a file: on disk), before the first read; the peak of
    // all reads.
    const qint64 rssBefore = statusKb("VmRSS:");
    resetPeak();
    for (int rep = 0; rep < repetitions; ++rep) {
        runEventsFor(50);
        worst = 0;
        measuring = true;
        bool done = false;
        QElapsedTimer read;
        read.start();
        qint64 readNs = 0;
        std::optional<QCoro::Task<>> task;
        if (idle) {
            // No read: the gaps the machine itself puts between the ticks, for comparison.
            QTimer::singleShot(100, [&done] { done = true; });
        } else if (onWorker) {
            task.emplace(readOnWorker(
                worker, [&records, &load] { records = load.read(); }, done));
        } else {
            // As a click handler read the body before: inside one event of the window's thread.
            QTimer::singleShot(0, [&] {
                records = load.read();
                done = true;
            });
        }
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
        readNs = read.nsecsElapsed();
        runEventsFor(10);
        measuring = false;
        gaps.push_back(worst / 1e6);
        reads.push_back(readNs / 1e6);
    }
    const qint64 peak = statusKb("VmHWM:");
    std::sort(gaps.begin(), gaps.end());
    std::sort(reads.begin(), reads.end());
    std::printf("%-7s %-7s %6lld %6.1f MB %9.1f %9.1f %9.1f %9lld %10.1f\n", qPrintable(kind),
                qPrintable(where), static_cast<long long>(records.load()), load.bytes / 1048576.0,
                reads[reads.size() / 2], gaps[gaps.size() / 2], gaps.back(),
                static_cast<long long>(rssBefore / 1024), (peak - rssBefore) / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3) {
        const int repetitions = args.size() >= 4 ? args.at(3).toInt() : 9;
        return runOne(args.at(1), args.at(2), std::max(1, repetitions));
    }
    std::printf("%-7s %-7s %6s %9s %9s %9s %9s %9s %10s\n", "feed", "read on", "recs", "body",
                "read ms", "gap ms", "worst ms", "RSS MB", "+peak MB");
    std::fflush(stdout);
    for (const char *feed : {"ivao", "vatsim", "runways", "icao"}) {
        for (const char *where : {"idle", "thread", "worker"}) {
            QProcess run;
            run.setProcessChannelMode(QProcess::ForwardedChannels);
            run.start(QCoreApplication::applicationFilePath(),
                      {QLatin1String(feed), QLatin1String(where)});
            run.waitForFinished(-1);
        }
    }
    std::printf(
        "gap: the median of the longest gaps between two ticks of a 1 ms timer while the "
        "feed or file is read, worst: the longest of all; RSS: the memory in use with the body "
        "downloaded; +peak: the peak of all reads beyond it\n");
    return 0;
}

// The window's thread while a busy status feed is read: the longest gap between two ticks of a
// 1 ms timer, with the body read on a worker thread (as the console does) and read on the
// window's thread itself (as it used to), and the peak memory of each. Two feeds: IVAO's capture
// five times over (3,995 clients) and VATSIM's three times over (about 4,900 pilots and
// stations). Each run is a process of its own, so that no run's memory counts in another's.
//   feed_stall_bench                      every run, as a table
//   feed_stall_bench <ivao|vatsim> <worker|thread|idle> [repetitions]   one run, one row (idle:
//   no read, the machine's own gaps for comparison)
#include "network/statusfeed.h"
#include "platform/worker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

#include <algorithm>
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

QCoro::Task<> readOnWorker(Worker &worker, QByteArray body, bool &done) {
    auto records = std::make_shared<std::optional<StatusRecords>>();
    std::function<void()> job = [records, body] { *records = statusRecordsOf(body); };
    QCoro::Task<> reading = worker.run(std::move(job));
    co_await reading;
    done = true;
}

void runEventsFor(qint64 ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
}

int runOne(bool vatsim, const QString &where, int repetitions) {
    const bool idle = where == QLatin1String("idle");
    const bool onWorker = where == QLatin1String("worker");
    const QByteArray body = busyFeed(vatsim);
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
    // The memory with the body downloaded, before the first read; the peak of all reads.
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
            task.emplace(readOnWorker(worker, body, done));
        } else {
            // As a click handler read the body before: inside one event of the window's thread.
            QTimer::singleShot(0, [&] {
                const std::optional<StatusRecords> records = statusRecordsOf(body);
                done = records.has_value();
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
    const std::optional<StatusRecords> records = statusRecordsOf(body);
    const qsizetype clients = records ? records->online.count(u'\n') : 0;
    std::sort(gaps.begin(), gaps.end());
    std::sort(reads.begin(), reads.end());
    std::printf("%-7s %-7s %6lld %6.1f MB %9.1f %9.1f %9.1f %9lld %10lld\n",
                vatsim ? "vatsim" : "ivao", qPrintable(where), static_cast<long long>(clients),
                body.size() / 1048576.0, reads[reads.size() / 2], gaps[gaps.size() / 2],
                gaps.back(), static_cast<long long>(rssBefore / 1024),
                static_cast<long long>((peak - rssBefore) / 1024));
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3) {
        const int repetitions = args.size() >= 4 ? args.at(3).toInt() : 9;
        return runOne(args.at(1) == QLatin1String("vatsim"), args.at(2), std::max(1, repetitions));
    }
    std::printf("%-7s %-7s %6s %9s %9s %9s %9s %9s %10s\n", "feed", "read on", "recs", "body",
                "read ms", "gap ms", "worst ms", "RSS MB", "+peak MB");
    std::fflush(stdout);
    for (const char *feed : {"ivao", "vatsim"}) {
        for (const char *where : {"idle", "thread", "worker"}) {
            QProcess run;
            run.setProcessChannelMode(QProcess::ForwardedChannels);
            run.start(QCoreApplication::applicationFilePath(),
                      {QLatin1String(feed), QLatin1String(where)});
            run.waitForFinished(-1);
        }
    }
    std::printf("gap: the median of the longest gaps between two ticks of a 1 ms timer while the "
                "feed is read, worst: the longest of all; RSS: the memory in use with the body "
                "downloaded; +peak: the peak of all reads beyond it\n");
    return 0;
}

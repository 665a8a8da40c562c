#include "console/opendatastore.h"

#include "console/datadir.h"
#include "console/networkconfig.h"
#include "platform/httptransfer.h"
#include "platform/platform.h"
#include "platform/worker.h"

#include <QCoreApplication>
#include <QCoroSignal>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace tarvos {

OpenDataStore::OpenDataStore(DataDir &data, NetworkConfig &config, HttpTransfer &transfer,
                             Worker &worker, Clock &clock, QObject *parent)
    : QObject(parent), m_data(data), m_config(config), m_transfer(transfer), m_worker(worker),
      m_clock(clock) {}

OpenDataStore::~OpenDataStore() = default;

QString OpenDataStore::url(OpenDataFile file) {
    QString base = m_config.settings().airports;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + openDataFileName(file);
}

QCoro::Task<OpenDataCopy> OpenDataStore::keptCopy(OpenDataFile file) {
    const int key = static_cast<int>(file);
    const QString path = m_data.path(openDataFileName(file));
    const QFileInfo info(path);
    OpenDataCopy kept;
    auto problem = std::make_shared<std::optional<QString>>();
    const QPointer<OpenDataStore> self(this);
    if (!info.isFile())
        co_return kept;
    // A copy is read whole once per version of it: one left cut short by another program, or
    // edited, does not serve.
    const QDateTime modified = info.lastModified();
    if (m_checked.value(key) != modified) {
        // The job and its task are named: g++ 12 destroys a temporary of a co_await expression
        // twice, and a lambda's capture with it.
        std::function<void()> job = [problem, file, path] {
            *problem = openDataFileProblem(file, path);
        };
        QCoro::Task<> checking = m_worker.run(std::move(job));
        co_await checking;
        if (!self)
            co_return kept;
        if (*problem) {
            kept.problem = QStringLiteral("the kept %1 is not used: %2")
                               .arg(openDataFileName(file), **problem);
            co_return kept;
        }
        m_checked.insert(key, modified);
    }
    kept.path = path;
    kept.date = modified;
    co_return kept;
}

QCoro::Task<OpenDataCopy> OpenDataStore::copy(OpenDataFile file) {
    const int key = static_cast<int>(file);
    const QPointer<OpenDataStore> self(this);
    OpenDataCopy kept = co_await keptCopy(file);
    if (!self)
        co_return kept;
    const QDateTime now = m_clock.now();
    if (kept.usable() && kept.date.addDays(kMaxAgeDays) > now)
        co_return kept;
    if (m_config.settings().airports.isEmpty()) {
        if (kept.problem.isEmpty() && !kept.usable())
            kept.problem = QStringLiteral("network.txt turns the fetching of %1 off (airports=)")
                               .arg(openDataFileName(file));
        co_return kept;
    }
    const QDateTime failedAt = m_failedAt.value(key);
    if (failedAt.isValid() && failedAt.addSecs(kRetrySeconds) > now && !m_downloads.contains(key)) {
        if (!kept.usable())
            kept.problem = m_failure.value(key);
        co_return kept;
    }
    if (kept.usable()) {
        // The old copy serves until the new one is whole; the download goes on by itself.
        fetch(file, kept);
        co_return kept;
    }
    co_return co_await fetch(file, kept);
}

QCoro::Task<OpenDataCopy> OpenDataStore::fetch(OpenDataFile file, OpenDataCopy old) {
    const int key = static_cast<int>(file);
    if (OpenDataDownload *running = m_downloads.value(key)) {
        co_await qCoro(running, &OpenDataDownload::finished);
        // Read at once: the download's object goes when every waiter has resumed.
        co_return running->result;
    }
    const auto download = std::make_unique<OpenDataDownload>();
    m_downloads.insert(key, download.get());
    const QString name = openDataFileName(file);
    const QString path = m_data.path(name);
    const QPointer<OpenDataStore> self(this);
    const QUrl from(url(file));
    HttpTransfer::Progress told = [self, name](qint64 got, qint64 total) {
        if (self)
            emit self->progress(name, got, total);
    };
    QCoro::Task<FetchResult> downloading = m_transfer.fetchFile(from, std::move(told));
    FetchResult result = co_await downloading;
    if (!self)
        co_return old;

    OpenDataCopy out = old;
    auto problem = std::make_shared<std::optional<QString>>();
    if (!result.ok) {
        out.problem = QStringLiteral("%1 could not be fetched: %2").arg(name, result.reason);
    } else {
        // The body is checked and written off the window's thread; the kept copy is replaced
        // only by a whole one.
        std::function<void()> job = [problem, file, body = std::exchange(result.body, {}), path] {
            *problem = openDataBodyProblem(file, body);
            if (*problem)
                return;
            QSaveFile save(path);
            if (!save.open(QIODevice::WriteOnly) || save.write(body) != body.size() ||
                !save.commit())
                *problem = QStringLiteral("it could not be written into the data folder");
        };
        QCoro::Task<> writing = m_worker.run(std::move(job));
        co_await writing;
        if (!self)
            co_return old;
        if (*problem) {
            out.problem =
                QStringLiteral("%1 from %2 was not used: %3").arg(name, from.host(), **problem);
        } else {
            out.path = path;
            out.date = QFileInfo(path).lastModified();
            out.problem.clear();
            m_checked.insert(key, out.date);
        }
    }
    if (out.problem.isEmpty()) {
        m_failedAt.remove(key);
        m_failure.remove(key);
    } else {
        m_failedAt.insert(key, m_clock.now());
        m_failure.insert(key, out.problem);
        if (out.usable()) // the old copy serves; the tooltip says that it is the old one
            out.problem.clear();
    }
    m_downloads.remove(key);
    emit downloadEnded(name);
    download->result = out;
    emit download->finished();
    // The waiters resume through queued calls; delivering them now answers every waiter in this
    // turn, before the download's object goes.
    QCoreApplication::sendPostedEvents(download.get(), QEvent::MetaCall);
    co_return out;
}

} // namespace tarvos

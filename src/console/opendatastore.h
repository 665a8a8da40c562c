#pragma once

#include "console/opendata.h"

#include <QCoroTask>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>

namespace tarvos {

class Clock;
class DataDir;
class HttpTransfer;
class NetworkConfig;
class Worker;

// One of OurAirports' files as the console can read it now.
struct OpenDataCopy {
    QString path;    // a whole copy in the data folder; empty when there is none to read
    QDateTime date;  // when that copy was fetched (the file's modification time)
    QString problem; // why no current copy came, for a tooltip; empty when all went well
    bool usable() const { return !path.isEmpty(); }
};

// The download of one file that several operations wait for: its outcome, announced by
// `finished`.
class OpenDataDownload : public QObject {
    Q_OBJECT
public:
    OpenDataCopy result;
signals:
    void finished();
};

// Keeps OurAirports' runways.csv and airports.csv in the data folder under their own names,
// fetched from the `airports` address of network.txt only when an operation needs one:
// - a kept copy younger than 28 days (one AIRAC cycle) serves as it is;
// - an older one serves while a new one is fetched in the background, and after a failed try;
// - without a copy, the operation waits for the download (the window goes on meanwhile).
// A download replaces the kept copy only when it is whole and its first line holds the columns
// the console reads; it is checked and written on the worker thread (QSaveFile: a kill leaves
// the old copy or the new one). A failed file is fetched again at most once an hour, and the
// failure is told as the copy's `problem`, never in a message box. Several operations that need
// the same file share one download.
class OpenDataStore : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxAgeDays = 28;
    static constexpr int kRetrySeconds = 60 * 60;

    OpenDataStore(DataDir &data, NetworkConfig &config, HttpTransfer &transfer, Worker &worker,
                  Clock &clock, QObject *parent = nullptr);
    ~OpenDataStore() override;

    // A copy to read, by the rules above.
    QCoro::Task<OpenDataCopy> copy(OpenDataFile file);

signals:
    // A download of `fileName` has come so far (`total` -1 while unknown).
    void progress(const QString &fileName, qint64 received, qint64 total);
    // The download of `fileName` has ended, whole or not.
    void downloadEnded(const QString &fileName);

private:
    QCoro::Task<OpenDataCopy> fetch(OpenDataFile file, OpenDataCopy old);
    QCoro::Task<OpenDataCopy> keptCopy(OpenDataFile file);
    QString url(OpenDataFile file);

    DataDir &m_data;
    NetworkConfig &m_config;
    HttpTransfer &m_transfer;
    Worker &m_worker;
    Clock &m_clock;
    QHash<int, OpenDataDownload *> m_downloads; // by file, while its download runs
    QHash<int, QDateTime> m_checked;            // the kept copy last found whole, by its time
    QHash<int, QDateTime> m_failedAt;           // the last failed try of each file
    QHash<int, QString> m_failure;              // and what it found
};

} // namespace tarvos

#pragma once

#include "platform/httptransfer.h"

#include <QHash>
#include <QObject>

#include <chrono>
#include <functional>

namespace tarvos {

// One download that more than one handler waits for: its result, announced by `finished`.
class JoinedDownload : public QObject {
    Q_OBJECT
public:
    FetchResult result;
signals:
    void finished();
};

// Answers a fetch with the body of an earlier successful download of the same URL when that is
// younger than `maxAge`, instead of downloading again. The network asks its clients to fetch the
// status feed at most every 15 seconds, and every operation downloads before it reads; a
// controller who leaves ten callsign fields a minute would otherwise be shut out.
//
// A fetch of a URL that is being downloaded right now joins that download: one download, and
// every handler that asked gets its result in the same turn of the event loop. Downloads of
// different URLs run side by side in the inner transfer.
class ReusingHttpTransfer : public HttpTransfer {
public:
    using Clock = std::function<std::chrono::milliseconds()>;
    static constexpr std::chrono::milliseconds kDefaultMaxAge{15000};

    // `clock` gives a monotonic time; by default the steady clock.
    explicit ReusingHttpTransfer(HttpTransfer &inner, Clock clock = {},
                                 std::chrono::milliseconds maxAge = kDefaultMaxAge);
    ~ReusingHttpTransfer() override;

    QCoro::Task<FetchResult> fetch(QUrl url) override;
    // A file download goes straight to the inner transfer: a body of megabytes is neither kept
    // nor shared.
    QCoro::Task<FetchResult> fetchFile(QUrl url, Progress progress) override {
        return m_inner.fetchFile(std::move(url), std::move(progress));
    }
    void abort() override { m_inner.abort(); }

    // Forgets every kept body (a changed network.txt, for instance).
    void clear() { m_kept.clear(); }

private:
    struct Kept {
        std::chrono::milliseconds at;
        QByteArray body;
        int httpStatus;
    };

    HttpTransfer &m_inner;
    Clock m_clock;
    std::chrono::milliseconds m_maxAge;
    QHash<QUrl, Kept> m_kept;
    QHash<QUrl, JoinedDownload *> m_downloading; // owned by the fetch that downloads
};

} // namespace tarvos

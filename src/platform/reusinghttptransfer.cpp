#include "platform/reusinghttptransfer.h"

#include <QCoreApplication>
#include <QCoroSignal>

#include <memory>

namespace tarvos {

ReusingHttpTransfer::ReusingHttpTransfer(HttpTransfer &inner, Clock clock,
                                         std::chrono::milliseconds maxAge)
    : m_inner(inner), m_clock(std::move(clock)), m_maxAge(maxAge) {
    if (!m_clock) {
        m_clock = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now().time_since_epoch());
        };
    }
}

ReusingHttpTransfer::~ReusingHttpTransfer() {
    // Every fetch ends before the transfer goes, and with it every fetch that joined it.
    abort();
}

QCoro::Task<FetchResult> ReusingHttpTransfer::fetch(QUrl url) {
    const std::chrono::milliseconds now = m_clock();
    // Bodies too old to be reused go, so that the kept bodies stay few (one per METAR airport).
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        if (now - it->at >= m_maxAge || now < it->at)
            it = m_kept.erase(it);
        else
            ++it;
    }
    if (const auto it = m_kept.constFind(url); it != m_kept.constEnd()) {
        FetchResult kept;
        kept.ok = true;
        kept.body = it->body;
        kept.httpStatus = it->httpStatus;
        kept.reused = true;
        co_return kept;
    }
    if (JoinedDownload *running = m_downloading.value(url)) {
        co_await qCoro(running, &JoinedDownload::finished);
        // Read at once: the download's object goes when every waiter has resumed.
        co_return running->result;
    }
    const auto joined = std::make_unique<JoinedDownload>();
    m_downloading.insert(url, joined.get());
    FetchResult result = co_await m_inner.fetch(url);
    m_downloading.remove(url);
    if (result.ok)
        m_kept.insert(url, Kept{m_clock(), result.body, result.httpStatus});
    joined->result = result;
    emit joined->finished();
    // The waiters resume through queued calls; delivering them now (that object's own calls, no
    // event loop) answers every waiter in this turn, also when an abort at shutdown ends the
    // download and no further turn comes.
    QCoreApplication::sendPostedEvents(joined.get(), QEvent::MetaCall);
    co_return result;
}

} // namespace tarvos

#include "platform/reusinghttptransfer.h"

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
    FetchResult result = co_await m_inner.fetch(url);
    if (result.ok)
        m_kept.insert(url, Kept{m_clock(), result.body, result.httpStatus});
    co_return result;
}

} // namespace tarvos

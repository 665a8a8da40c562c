#pragma once

// A transfer that answers from canned results, for the tests of the controllers that download:
// a body or a failure per URL, the URLs asked for, and downloads that take their time: a fetch of
// a URL in `held` waits until release() (or abort()) answers it.

#include "platform/httptransfer.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <coroutine>
#include <utility>

namespace tarvos::testing {

class FakeHttpTransfer : public HttpTransfer {
public:
    // A successful download of `body`.
    void setBody(const QUrl &url, const QByteArray &body) {
        FetchResult r;
        r.ok = true;
        r.body = body;
        r.httpStatus = 200;
        m_answers.insert(url, r);
    }
    // A failed download; `why` as the reason says it ("time-out", "HTTP 404").
    void setFailure(const QUrl &url, const QString &why) {
        FetchResult r;
        r.reason = noAnswerFrom(url, why);
        m_answers.insert(url, r);
    }

    // Every URL fetched, in order.
    QList<QUrl> requested;
    int aborts = 0;
    // Fetches of these URLs wait for release().
    QSet<QUrl> held;

    int waiting() const { return static_cast<int>(m_waiting.size()); }
    // Answers every waiting fetch with what is canned for its URL now.
    void release() { resumeAll(false); }
    void abort() override {
        ++aborts;
        resumeAll(true);
    }

    // A URL without canned answer is refused.
    QCoro::Task<FetchResult> fetch(QUrl url) override {
        requested << url;
        if (held.contains(url)) {
            bool aborted = false;
            co_await Wait{this, &aborted};
            if (aborted) {
                FetchResult r;
                r.aborted = true;
                r.reason = noAnswerFrom(url, QStringLiteral("aborted"));
                co_return r;
            }
        }
        if (const auto it = m_answers.constFind(url); it != m_answers.constEnd())
            co_return *it;
        FetchResult refused;
        refused.reason = noAnswerFrom(url, QStringLiteral("refused"));
        co_return refused;
    }

private:
    struct Waiter {
        std::coroutine_handle<> handle;
        bool *aborted;
    };
    struct Wait {
        FakeHttpTransfer *transfer;
        bool *aborted;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> h) {
            transfer->m_waiting.append(Waiter{h, aborted});
        }
        void await_resume() const noexcept {}
    };
    void resumeAll(bool aborted) {
        const QList<Waiter> waiting = std::exchange(m_waiting, {});
        for (const Waiter &w : waiting) {
            *w.aborted = aborted;
            w.handle.resume();
        }
    }

    QHash<QUrl, FetchResult> m_answers;
    QList<Waiter> m_waiting;
};

} // namespace tarvos::testing

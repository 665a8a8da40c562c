#pragma once

// A transfer that answers from canned results at once, for the tests of the controllers that
// download: a body or a failure per URL, a switch for "still executing", and the URLs asked for.

#include "platform/httptransfer.h"

#include <QHash>
#include <QList>

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

    // The in-progress guard as the handlers see it.
    bool executing = false;
    // Every URL fetched, in order.
    QList<QUrl> requested;
    int aborts = 0;

    bool stillExecuting() const override { return executing; }
    void abort() override { ++aborts; }

    // A URL without canned answer is refused.
    QCoro::Task<FetchResult> fetch(QUrl url) override {
        requested << url;
        if (const auto it = m_answers.constFind(url); it != m_answers.constEnd())
            co_return *it;
        FetchResult refused;
        refused.reason = noAnswerFrom(url, QStringLiteral("refused"));
        co_return refused;
    }

private:
    QHash<QUrl, FetchResult> m_answers;
};

} // namespace tarvos::testing

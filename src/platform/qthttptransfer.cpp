#include "platform/qthttptransfer.h"

#include <QCoreApplication>
#include <QCoroSignal>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace tarvos {

namespace {

QString errorWord(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("refused");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("name not resolved");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // Qt's transfer time-out; our stops are known
        return QStringLiteral("time-out");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("too many redirects");
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("redirect refused");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("connection closed");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("secure connection failed");
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
        return QStringLiteral("no route");
    default:
        return QStringLiteral("network error");
    }
}

// What can be fetched at all: an absolute http or https URL with a host.
QString invalidUrlReason(const QUrl &url) {
    if (url.isEmpty())
        return QStringLiteral("no address configured");
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QLatin1String("not a web address: ") + url.toString().left(60);
    return {};
}

} // namespace

QtHttpTransfer::QtHttpTransfer(std::chrono::milliseconds silence, qint64 maxBody, QObject *parent)
    : QObject(parent), m_silence(silence), m_maxBody(maxBody) {
    m_manager.setProxy(QNetworkProxy::NoProxy);
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    m_manager.setTransferTimeout(static_cast<int>(m_silence.count()));
}

QtHttpTransfer::~QtHttpTransfer() {
    abort();
}

void QtHttpTransfer::abort() {
    // A fetch resumes after its reply's `finished` through a queued call; delivering that call
    // here (the reply's own posted calls only, no event loop) ends each fetch before abort()
    // returns, so that nothing waits for a turn of an event loop that may never come.
    const QList<Running> running = m_running;
    for (const Running &r : running) {
        if (r.reply.isNull())
            continue;
        *r.stop = Stop::Aborted;
        r.reply->abort();
    }
    for (const Running &r : running) {
        if (!r.reply.isNull())
            QCoreApplication::sendPostedEvents(r.reply, QEvent::MetaCall);
    }
}

QCoro::Task<FetchResult> QtHttpTransfer::fetch(QUrl url) {
    return download(std::move(url), {});
}

QCoro::Task<FetchResult> QtHttpTransfer::fetchFile(QUrl url, Progress progress) {
    return download(std::move(url), std::move(progress));
}

QCoro::Task<FetchResult> QtHttpTransfer::download(QUrl url, Progress progress) {
    FetchResult result;
    if (const QString invalid = invalidUrlReason(url); !invalid.isEmpty()) {
        result.reason = invalid;
        co_return result;
    }

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Tarvos/7.4"));
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    // Qt asks for gzip and deflate and unpacks the answer itself; the silence time-out is Qt's
    // transfer time-out, which starts anew with every byte that arrives.

    Stop stop = Stop::None;
    QByteArray body;
    QNetworkReply *reply = m_manager.get(request);
    m_running.append(Running{reply, &stop});
    {
        // The connections of this fetch end with this scope, before the frame goes.
        QObject guard;
        // A stop from inside a signal of the reply is carried out on the next turn of the event
        // loop, so that the fetch never finishes inside one of its own handlers.
        auto stopSoon = [&stop, reply](Stop why) {
            if (stop != Stop::None)
                return;
            stop = why;
            QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
        };
        connect(reply, &QNetworkReply::metaDataChanged, &guard, [&, reply] {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (status < 300 && length.isValid() && length.toLongLong() > m_maxBody)
                stopSoon(Stop::TooLarge);
        });
        connect(reply, &QNetworkReply::readyRead, &guard, [&, reply] {
            const QByteArray chunk = reply->readAll();
            if (stop != Stop::None)
                return;
            if (body.size() + chunk.size() > m_maxBody) {
                body = QByteArray();
                stopSoon(Stop::TooLarge);
                return;
            }
            body += chunk;
        });
        if (progress) {
            // Qt's own count, which knows what a compressed answer weighs on the wire.
            connect(reply, &QNetworkReply::downloadProgress, &guard,
                    [&progress](qint64 received, qint64 total) {
                        progress(received, total > 0 && received <= total ? total : -1);
                    });
        }
        // QCoro's signal awaiting, which needs no compiled part of QCoro.
        if (!reply->isFinished())
            co_await qCoro(reply, &QNetworkReply::finished);
    }
    m_running.removeIf([reply](const Running &r) { return r.reply == reply; });
    reply->deleteLater();

    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    result.aborted = stop == Stop::Aborted;
    if (stop == Stop::TooLarge)
        result.reason = noAnswerFrom(url, QStringLiteral("too large"));
    else if (stop == Stop::Aborted)
        result.reason = noAnswerFrom(url, QStringLiteral("aborted"));
    else if (result.httpStatus >= 400)
        result.reason = noAnswerFrom(url, QStringLiteral("HTTP %1").arg(result.httpStatus));
    else if (error != QNetworkReply::NoError)
        result.reason = noAnswerFrom(url, errorWord(error));
    else {
        body += reply->readAll();
        if (body.size() > m_maxBody) {
            result.reason = noAnswerFrom(url, QStringLiteral("too large"));
        } else {
            result.ok = true;
            result.body = std::move(body);
        }
    }
    co_return result;
}

} // namespace tarvos

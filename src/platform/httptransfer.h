#pragma once

#include <QByteArray>
#include <QCoroTask>
#include <QString>
#include <QUrl>

#include <functional>

namespace tarvos {

// The outcome of one download. A failed download has an empty body and a short reason for the
// controller, such as "no answer from api.ivao.aero (time-out)".
struct FetchResult {
    bool ok = false;
    QByteArray body;
    QString reason;
    int httpStatus = 0;   // 0 when no HTTP answer came
    bool reused = false;  // a recent body of the same URL answered without a download
    bool aborted = false; // ended by abort(): the console is closing
};

// The download of one URL, as the console's handlers wait for it: `co_await transfer.fetch(url)`
// inside a QCoro::Task, while the window goes on painting and handling events. Downloads of
// different URLs run side by side, and a fetch of a URL that is already being downloaded waits
// for that download (ReusingHttpTransfer), so no action of the controller is ever turned away
// because another one is waiting. A handler that must not run twice at once (a double press of
// the same button) keeps its own flag. A handler reads as its steps:
//
//     QCoro::Task<> NetworkController::controllerPressed() {
//         if (m_controllerRunning)
//             co_return; // this button's own download still runs
//         showPanel(kGetData);
//         const QPointer<NetworkController> self(this);
//         const FetchResult r = co_await m_transfer.fetch(QUrl(m_config.settings().status));
//         if (!self)
//             co_return; // the console closed meanwhile
//         ...
//     }
//
// The task of a slot may be dropped; the coroutine runs on to its end.
class HttpTransfer {
public:
    virtual ~HttpTransfer() = default;

    // Never throws and never fails to finish: time-outs, refusals, HTTP errors, invalid URLs and
    // aborts all come back as a failed result.
    virtual QCoro::Task<FetchResult> fetch(QUrl url) = 0;

    // How far a download has come: the bytes received, and the whole size when the server
    // names it (else -1). Called on the window's thread as the body arrives.
    using Progress = std::function<void(qint64 received, qint64 total)>;

    // The download of a large file that the controller watches come in: the same as fetch(),
    // with `progress` told as the body arrives. It is always a download of its own: never
    // answered from or kept for another fetch of the same URL, since such a body is written to
    // a file and then let go. A transfer that cannot tell progress just downloads.
    virtual QCoro::Task<FetchResult> fetchFile(QUrl url, Progress progress) {
        (void)progress;
        return fetch(std::move(url));
    }

    // Ends every running download at once; each of their fetches, and every fetch waiting for
    // one of them, finishes with a failed result (reason "... (aborted)") before abort()
    // returns. For closing the console mid-download.
    virtual void abort() = 0;
};

// "no answer from <host> (<why>)", the reason of a failed download.
QString noAnswerFrom(const QUrl &url, const QString &why);

} // namespace tarvos

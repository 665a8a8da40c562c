#pragma once

#include "platform/httptransfer.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

#include <chrono>

class QNetworkReply;

namespace tarvos {

// The transfer over QNetworkAccessManager: HTTP and HTTPS without proxy, compressed answers,
// User-Agent "Tarvos/7.4", at most 5 redirects, HTTP status 400 and above a failure. A download
// fails when the server stays silent for `silence` (each arriving byte starts the wait anew) and
// when the body grows beyond `maxBody` bytes; the download is aborted at once, so a huge answer
// never sits in memory. Every fetch is a download of its own, side by side with the others.
class QtHttpTransfer : public QObject, public HttpTransfer {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDefaultSilence{10000};
    static constexpr qint64 kDefaultMaxBody = 32 * 1024 * 1024;
    static constexpr int kMaxRedirects = 5;

    explicit QtHttpTransfer(std::chrono::milliseconds silence = kDefaultSilence,
                            qint64 maxBody = kDefaultMaxBody, QObject *parent = nullptr);
    ~QtHttpTransfer() override;

    QCoro::Task<FetchResult> fetch(QUrl url) override;
    QCoro::Task<FetchResult> fetchFile(QUrl url, Progress progress) override;
    void abort() override;

    // How many downloads are running now.
    int runningDownloads() const { return static_cast<int>(m_running.size()); }

private:
    enum class Stop { None, Silence, TooLarge, Aborted };
    struct Running {
        QPointer<QNetworkReply> reply;
        Stop *stop; // the fetch's reason to stop
    };

    QCoro::Task<FetchResult> download(QUrl url, Progress progress);

    QNetworkAccessManager m_manager;
    std::chrono::milliseconds m_silence;
    qint64 m_maxBody;
    QList<Running> m_running;
};

} // namespace tarvos

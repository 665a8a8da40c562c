#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QUrl>

#include <chrono>

class QTcpSocket;

namespace tarvos {

// The recorded network: answers the console's downloads from a folder of recorded answers, on
// 127.0.0.1 only. The URL path names the file in the folder ("/upd.txt" is <folder>/upd.txt); a
// request with a query looks for "<path>@<query>" first, so that
// "/api/data/metar?ids=EDDT&format=raw" is the file "api/data/metar@ids=EDDT&format=raw". A path
// with no file answers 404.
//
// Besides the files:
//   /ip               the caller's address, as an IP-echo service answers
//   /redirect-loop    redirects to itself for ever
//   /huge?mb=N        a body of N MiB (default 100), made while it is sent, never held whole
//   /slow?chunks=N&ms=M  N chunks of 1 KiB, one every M milliseconds (a slow but live server)
// A recorded text may carry the time of the latest report as "{report:FORMAT}" (FORMAT in Qt's
// date format, for example "{report:yyyy/MM/dd HH:mm}" or "{report:ddHHmm}"): the last :20 or
// :50 of the server's clock in UTC, the half-hourly times at which the German airports report.
// The station files then date their reports as a live server's do, so that the console takes
// them as current weather.
// Every path can be slowed down and given an HTTP status, in process (setDelay, setStatus) or
// per request with the query items netsim-delay=<ms> and netsim-status=<code>. Answers of at
// least 1 KiB go out deflate-compressed when the client accepts that, as the real servers do.
class NetsimServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit NetsimServer(QString folder, QObject *parent = nullptr);

    // Listens on 127.0.0.1; `port` 0 lets the system choose. Returns the port, 0 on failure.
    quint16 start(quint16 port = 0);
    quint16 port() const { return m_port; }
    QUrl url(const QString &pathAndQuery = QStringLiteral("/")) const;

    void setDelay(const QString &path, std::chrono::milliseconds delay);
    void setStatus(const QString &path, int status);
    void clearOverrides();
    // The clock for "{report:...}"; invalid (the default) is the system's clock.
    void setNow(const QDateTime &now) { m_now = now; }

    // What the server has seen, for tests.
    int requests(const QString &path) const { return m_requests.value(path); }
    int compressedAnswers() const { return m_compressed; }
    QByteArray lastUserAgent() const { return m_lastUserAgent; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Answer {
        int status = 200;
        QByteArray contentType = "text/plain";
        QByteArray body;
        QByteArray extraHeaders;
        qint64 streamedBytes = -1; // a generated body of this size instead of `body`
        int slowChunks = 0;        // or this many chunks of 1 KiB, one every slowMs
        int slowMs = 0;
    };

    Answer answerFor(const QHttpServerRequest &request, int statusOverride) const;
    QString fileFor(const QString &path, const QString &query) const;
    void send(QTcpSocket *socket, Answer answer, bool deflate);
    static void sendSlowly(QTcpSocket *socket, int chunks, int ms);

    QString m_folder;
    QDateTime m_now;
    quint16 m_port = 0;
    QHash<QString, std::chrono::milliseconds> m_delays;
    QHash<QString, int> m_statuses;
    QHash<QString, int> m_requests;
    int m_compressed = 0;
    QByteArray m_lastUserAgent;
};

} // namespace tarvos

#include "netsimserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>
#include <memory>

// The answers are written to the socket here rather than through QHttpServerResponder: in Qt 6.4
// a responder has to answer inside the request handler, and the recorded network must answer
// late (a stalled server) and stream bodies larger than memory.

namespace tarvos {

namespace {

constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kStreamChunk = 64 * 1024;

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

QByteArray contentTypeOf(const QString &file, const QByteArray &body) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("json") || body.trimmed().startsWith('{'))
        return "application/json";
    if (suffix == QLatin1String("html") || body.trimmed().startsWith('<'))
        return "text/html; charset=utf-8";
    return "text/plain; charset=utf-8";
}

QByteArray errorPage(int status) {
    return "<!DOCTYPE html>\n<html><head><title>" + QByteArray::number(status) + ' ' +
           reasonPhrase(status) + "</title></head>\n<body><h1>" + QByteArray::number(status) + ' ' +
           reasonPhrase(status) + "</h1><p>tarvos-netsim</p></body></html>\n";
}

// The last :20 or :50 at or before `now`, in UTC.
QDateTime latestReportTime(const QDateTime &now) {
    const QDateTime utc = now.toUTC();
    const int minute = utc.time().minute();
    const QDateTime hour = QDateTime(utc.date(), QTime(utc.time().hour(), 0), Qt::UTC);
    if (minute >= 50)
        return hour.addSecs(50 * 60);
    if (minute >= 20)
        return hour.addSecs(20 * 60);
    return hour.addSecs(-10 * 60);
}

QByteArray withReportTimes(const QByteArray &body, const QDateTime &now) {
    if (!body.contains("{report:"))
        return body;
    static const QRegularExpression token(QStringLiteral("\\{report:([^}\\r\\n]*)\\}"));
    const QDateTime report = latestReportTime(now);
    QString text = QString::fromUtf8(body);
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : token.globalMatch(text)) {
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += report.toString(m.captured(1));
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out.toUtf8();
}

} // namespace

NetsimServer::NetsimServer(QString folder, QObject *parent)
    : QAbstractHttpServer(parent), m_folder(QDir(folder).absolutePath()) {}

quint16 NetsimServer::start(quint16 port) {
    m_port = listen(QHostAddress::LocalHost, port);
    return m_port;
}

QUrl NetsimServer::url(const QString &pathAndQuery) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(pathAndQuery));
}

void NetsimServer::setDelay(const QString &path, std::chrono::milliseconds delay) {
    m_delays.insert(path, delay);
}

void NetsimServer::setStatus(const QString &path, int status) {
    m_statuses.insert(path, status);
}

void NetsimServer::clearOverrides() {
    m_delays.clear();
    m_statuses.clear();
}

QString NetsimServer::fileFor(const QString &path, const QString &query) const {
    const QString relative = QDir::cleanPath(path).mid(1);
    if (relative.isEmpty() || relative.startsWith(QLatin1String("..")))
        return {};
    const QString base = m_folder + QLatin1Char('/') + relative;
    if (!query.isEmpty() && QFileInfo(base + QLatin1Char('@') + query).isFile())
        return base + QLatin1Char('@') + query;
    return QFileInfo(base).isFile() ? base : QString();
}

NetsimServer::Answer NetsimServer::answerFor(const QHttpServerRequest &request,
                                             int statusOverride) const {
    const QString path = request.url().path();
    QUrlQuery query = request.query();
    query.removeAllQueryItems(QStringLiteral("netsim-delay"));
    query.removeAllQueryItems(QStringLiteral("netsim-status"));

    Answer a;
    if (statusOverride >= 400) {
        a.status = statusOverride;
        a.contentType = "text/html; charset=utf-8";
        a.body = errorPage(statusOverride);
        return a;
    }
    if (path == QLatin1String("/ip")) {
        a.body = request.remoteAddress().toString().toUtf8();
    } else if (path == QLatin1String("/redirect-loop")) {
        a.status = 302;
        a.extraHeaders = "Location: /redirect-loop\r\n";
    } else if (path == QLatin1String("/huge")) {
        const QString mb = query.queryItemValue(QStringLiteral("mb"));
        a.streamedBytes = (mb.isEmpty() ? 100 : mb.toLongLong()) * kMiB;
    } else if (path == QLatin1String("/slow")) {
        a.slowChunks = std::clamp(query.queryItemValue(QStringLiteral("chunks")).toInt(), 1, 10000);
        a.slowMs = std::clamp(query.queryItemValue(QStringLiteral("ms")).toInt(), 0, 60000);
        a.streamedBytes = a.slowChunks * qint64(1024);
    } else if (const QString file = fileFor(path, query.query()); !file.isEmpty()) {
        QFile f(file);
        if (f.open(QIODevice::ReadOnly))
            a.body = withReportTimes(f.readAll(),
                                     m_now.isValid() ? m_now : QDateTime::currentDateTimeUtc());
        a.contentType = contentTypeOf(file, a.body);
    } else {
        a.status = 404;
        a.contentType = "text/html; charset=utf-8";
        a.body = errorPage(404);
    }
    if (statusOverride > 0)
        a.status = statusOverride;
    return a;
}

bool NetsimServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) {
    const QString path = request.url().path();
    m_requests[path] += 1;
    m_lastUserAgent = request.value("User-Agent");
    const QUrlQuery query = request.query();
    const QString delayItem = query.queryItemValue(QStringLiteral("netsim-delay"));
    const QString statusItem = query.queryItemValue(QStringLiteral("netsim-status"));
    const std::chrono::milliseconds delay =
        delayItem.isEmpty() ? m_delays.value(path) : std::chrono::milliseconds(delayItem.toInt());
    const int status = statusItem.isEmpty() ? m_statuses.value(path) : statusItem.toInt();
    const bool deflate = request.value("Accept-Encoding").contains("deflate");

    Answer answer = answerFor(request, status);
    if (delay.count() <= 0) {
        send(socket, std::move(answer), deflate);
        return true;
    }
    // A stalled server: nothing at all until the delay is over. The client may have given up
    // and closed the connection by then.
    QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(delay, this, [this, alive, answer, deflate]() mutable {
        if (alive && alive->state() == QAbstractSocket::ConnectedState)
            send(alive, std::move(answer), deflate);
    });
    return true;
}

void NetsimServer::missingHandler(const QHttpServerRequest &, QTcpSocket *socket) {
    Answer a;
    a.status = 404;
    a.body = errorPage(404);
    send(socket, a, false);
}

void NetsimServer::send(QTcpSocket *socket, Answer answer, bool deflate) {
    if (deflate && answer.streamedBytes < 0 && answer.body.size() >= 1024) {
        // qCompress gives a zlib stream behind a four-byte length: HTTP's "deflate".
        answer.body = qCompress(answer.body).mid(4);
        answer.extraHeaders += "Content-Encoding: deflate\r\n";
        ++m_compressed;
    }
    const qint64 length = answer.streamedBytes >= 0 ? answer.streamedBytes : answer.body.size();
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' +
                      reasonPhrase(answer.status) + "\r\nContent-Type: " + answer.contentType +
                      "\r\nContent-Length: " + QByteArray::number(length) +
                      "\r\nConnection: close\r\n" + answer.extraHeaders + "\r\n";
    socket->write(head);
    if (answer.slowChunks > 0) {
        sendSlowly(socket, answer.slowChunks, answer.slowMs);
        return;
    }
    if (answer.streamedBytes < 0) {
        socket->write(answer.body);
        socket->disconnectFromHost();
        return;
    }
    // A generated body: the next chunk goes out when the socket has sent most of the last, so
    // that neither side ever holds more than a few chunks.
    auto left = std::make_shared<qint64>(answer.streamedBytes);
    auto pump = [socket, left] {
        static const QByteArray chunk(kStreamChunk, 'x');
        while (*left > 0 && socket->bytesToWrite() < 4 * kStreamChunk) {
            const qint64 n = std::min(*left, kStreamChunk);
            socket->write(chunk.constData(), n);
            *left -= n;
        }
        if (*left == 0) {
            *left = -1;
            socket->disconnectFromHost();
        }
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, pump);
    pump();
}

void NetsimServer::sendSlowly(QTcpSocket *socket, int chunks, int ms) {
    auto *timer = new QTimer(socket); // goes with the connection
    auto left = std::make_shared<int>(chunks);
    connect(timer, &QTimer::timeout, socket, [socket, timer, left] {
        socket->write(QByteArray(1024, 's'));
        if (--*left == 0) {
            timer->stop();
            socket->disconnectFromHost();
        }
    });
    timer->start(ms);
}

} // namespace tarvos

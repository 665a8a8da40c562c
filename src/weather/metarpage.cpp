#include "weather/metarpage.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace tarvos {

QString pageText(const QByteArray &body) {
    return QString::fromUtf8(body);
}

std::optional<QString> codeFromField(const QString &text6) {
    if (text6.size() != 4 || text6 == QLatin1String("Load"))
        return std::nullopt;
    return text6.toUpper();
}

QString noaaCut(const QString &page, const QString &searchCode) {
    QString cut = page;
    const qsizetype p = cut.indexOf(searchCode);
    if (p > 0)
        cut = cut.mid(p);
    const qsizetype q = cut.indexOf(QLatin1String("<BR>"));
    if (q >= 0)
        cut.truncate(q);
    return cut;
}

std::optional<QString> metarFromPage(const QString &page, const QString &station) {
    const qsizetype p = page.indexOf(station + QLatin1Char(' '));
    if (station.isEmpty() || p < 0)
        return std::nullopt;
    qsizetype end = p + station.size();
    const qsizetype stop = std::min(page.size(), p + kMaxMetarLength);
    while (end < stop && page[end] != u'\r' && page[end] != u'\n')
        ++end;
    return page.mid(p, end - p);
}

std::optional<QDateTime> reportDate(const QString &page, const QString &station) {
    if (station.isEmpty())
        return std::nullopt;
    const qsizetype p = page.indexOf(station + QLatin1Char(' '));
    if (p < 0)
        return std::nullopt;
    // The line before the report's line.
    const qsizetype lineStart = page.lastIndexOf(u'\n', p) + 1;
    if (lineStart == 0)
        return std::nullopt;
    const qsizetype dateStart = lineStart >= 2 ? page.lastIndexOf(u'\n', lineStart - 2) + 1 : 0;
    const QString dateLine = page.mid(dateStart, lineStart - 1 - dateStart).trimmed();
    static const QRegularExpression form(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d$"));
    if (!form.match(dateLine).hasMatch())
        return std::nullopt;
    QDateTime date = QDateTime::fromString(dateLine, QStringLiteral("yyyy/MM/dd HH:mm"));
    if (!date.isValid())
        return std::nullopt;
    date.setTimeZone(QTimeZone::utc());
    return date;
}

std::optional<QString> staleReport(const QString &page, const QString &station,
                                   const QDateTime &now) {
    const std::optional<QDateTime> date = reportDate(page, station);
    if (!date)
        return std::nullopt;
    const qint64 age = date->secsTo(now);
    if (age <= kMaxReportAgeSeconds)
        return std::nullopt;
    const qint64 hours = age / 3600;
    const qint64 days = hours / 24;
    QString howOld;
    if (days >= 730)
        howOld = QStringLiteral("%1 years").arg(days / 365);
    else if (hours >= 48)
        howOld = QStringLiteral("%1 days").arg(days);
    else
        howOld = QStringLiteral("%1 hours").arg(hours);
    return QStringLiteral("the last report of %1 is from %2 UTC, %3 old")
        .arg(station, date->toString(QStringLiteral("yyyy/MM/dd HH:mm")), howOld);
}

} // namespace tarvos

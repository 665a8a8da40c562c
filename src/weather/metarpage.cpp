#include "weather/metarpage.h"

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

} // namespace tarvos

#include "weather/metar.h"

#include "console/numbers.h"

namespace tarvos {

std::optional<QString> transitionLevel(int qnh) {
    if (qnh < 979)
        return QStringLiteral("TL80");
    if (qnh < 1013)
        return QStringLiteral("TL70");
    if (qnh < 1047)
        return QStringLiteral("TL60");
    if (qnh <= 1052)
        return QStringLiteral("TL50");
    return std::nullopt;
}

MetarDecoding decodeMetar(const QString &metar, const QString &previousText3) {
    MetarDecoding result;
    // The clipboard and metartail get the tail before the report is checked, so that a
    // rejected text is cut the same way as a good one.
    result.clipboardText = mid1(metar, 8);
    result.metartail = result.clipboardText;

    if (mid1(metar, 12, 1) != QLatin1String("Z")) {
        result.text1 = QStringLiteral("Err");
        result.text2 = QString();
        result.text3 = QStringLiteral("Err");
        result.text4 = QString();
        result.text5 = QString();
        return result;
    }

    result.decoded = true;
    result.text6 = mid1(metar, 8, 2) + QLatin1Char(':') + mid1(metar, 10, 2);
    result.text1 = mid1(metar, 14, 3);
    result.text2 = mid1(metar, 17, 2);

    // The first capital Q of the whole text opens the QNH group; only that one counts.
    QString text3 = previousText3;
    const qsizetype q = metar.indexOf(QLatin1Char('Q'));
    if (q >= 0) {
        text3 = mid1(metar, static_cast<int>(q) + 2, 4);
        if (text3.startsWith(QLatin1Char('0')))
            text3 = mid1(text3, 2, 3);
        result.text3 = text3;
    }
    result.label2 = transitionLevel(leadingInt(text3));
    return result;
}

} // namespace tarvos

#include "console/numbers.h"

#include <cmath>
#include <limits>

namespace tarvos {

double leadingNumber(const QString &text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    double value = 0;
    bool point = false;
    double scale = 1;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            const int digit = c.unicode() - u'0';
            if (point) {
                scale /= 10;
                value += digit * scale;
            } else {
                value = value * 10 + digit;
            }
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!std::isfinite(value))
        value = std::numeric_limits<double>::max();
    return negative ? -value : value;
}

int leadingInt(const QString &text) {
    const double value = std::trunc(leadingNumber(text));
    if (value >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

QString numberText(long long value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString numberLine(long long value) {
    return numberText(value) + QLatin1Char(' ');
}

QString mid1(const QString &text, int position, int count) {
    if (position < 1)
        position = 1;
    if (position > text.size())
        return QString();
    return text.mid(position - 1, count < 0 ? -1 : count);
}

} // namespace tarvos

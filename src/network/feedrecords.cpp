#include "network/feedrecords.h"

#include <QLocale>

#include <cmath>
#include <optional>

namespace tarvos::feed {

// A value must never shift the field count or split the line: separators and line breaks of
// every kind become blanks.
QString fieldText(QString text) {
    for (QChar &c : text) {
        switch (c.unicode()) {
        case u':':
        case u'\n':
        case u'\r':
        case u'\v':
        case u'\f':
        case 0x85:
        case 0x2028:
        case 0x2029:
            c = u' ';
            break;
        default:
            break;
        }
    }
    return text;
}

// Strings as they are, numbers in their shortest form (37126, 25.245342), booleans as words;
// null, absent, objects and arrays are empty.
QString valueText(const QJsonValue &value) {
    switch (value.type()) {
    case QJsonValue::String:
        return fieldText(value.toString());
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return {};
    }
}

namespace {

std::optional<double> numberOf(const QJsonValue &value) {
    if (value.isDouble())
        return value.toDouble();
    if (value.isString()) {
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        if (ok)
            return d;
    }
    return std::nullopt;
}

} // namespace

// 118.7 becomes "118.700"; a frequency that is no number is kept as text.
QString frequencyText(const QJsonValue &value) {
    const std::optional<double> f = numberOf(value);
    if (f && std::isfinite(*f))
        return QString::number(*f, 'f', 3);
    return valueText(value);
}

// 102 becomes "0102"; a code that is no whole number between 0 and 9999 is kept as text.
QString transponderText(const QJsonValue &value) {
    const std::optional<double> code = numberOf(value);
    if (code && *code >= 0 && *code <= 9999 && std::floor(*code) == *code)
        return QStringLiteral("%1").arg(static_cast<int>(*code), 4, 10, QLatin1Char('0'));
    return valueText(value);
}

void appendRecord(QString &out, const Record &record) {
    for (int i = 0; i < kRecordFields; ++i) {
        if (i > 0)
            out += u':';
        out += record[i];
    }
    out += u'\n';
}

} // namespace tarvos::feed

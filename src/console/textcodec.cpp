#include "console/textcodec.h"

#include <QStringDecoder>
#include <array>

namespace tarvos {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; 0 marks the five unassigned bytes,
// which are kept as the C1 control of the same value (as Windows itself does).
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

bool isUtf8WithMultibyte(const QByteArray &bytes) {
    bool multibyte = false;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            multibyte = true;
            break;
        }
    }
    if (!multibyte)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

QString decodeDataText(const QByteArray &bytes) {
    if (isUtf8WithMultibyte(bytes)) {
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char16_t code = b;
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
            code = kHigh[b - 0x80];
        out[i] = QChar(code);
    }
    return text;
}

QByteArray encodeWindows1252(const QString &text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        char out = '?';
        for (std::size_t i = 0; i < kHigh.size(); ++i) {
            if (kHigh[i] == u || (kHigh[i] == 0 && u == 0x80 + i)) {
                out = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.append(out);
    }
    return bytes;
}

QStringList splitDataLines(const QString &text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) {
            lines << text.mid(start);
            break;
        }
        qsizetype stop = end;
        if (stop > start && text[stop - 1] == u'\r')
            --stop;
        lines << text.mid(start, stop - start);
        start = end + 1;
    }
    return lines;
}

} // namespace tarvos

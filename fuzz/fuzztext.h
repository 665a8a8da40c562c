#pragma once

// Turns fuzzer bytes into console texts: as single bytes (every Latin-1 character, NUL
// included), as UTF-8 (with its replacement characters) or as raw UTF-16 (lone surrogates).

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace tarvos::fuzz {

inline QString textFrom(const std::uint8_t *data, std::size_t size, std::uint8_t mode) {
    const char *bytes = reinterpret_cast<const char *>(data);
    const auto n = static_cast<qsizetype>(size);
    switch (mode % 3) {
    case 0:
        return QString::fromLatin1(bytes, n);
    case 1:
        return QString::fromUtf8(bytes, n);
    default: {
        QString text;
        for (std::size_t i = 0; i + 1 < size; i += 2)
            text += QChar(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
        return text;
    }
    }
}

// An input as fields split at byte 0x1f (unit separator), the first byte choosing the mode.
inline QStringList fieldsFrom(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return {};
    const std::uint8_t mode = data[0];
    QStringList fields;
    std::size_t start = 1;
    for (std::size_t i = 1; i <= size; ++i) {
        if (i == size || data[i] == 0x1f) {
            fields << textFrom(data + start, i - start, mode);
            start = i + 1;
        }
    }
    return fields;
}

// A broken rule stops the run like a crash, so that libFuzzer keeps the input.
inline void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace tarvos::fuzz

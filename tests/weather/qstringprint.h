#pragma once

// Failed comparisons of texts print the text (control characters escaped) rather than bytes.

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"';
    for (const QChar c : text) {
        if (c == u'\r')
            *os << "\\r";
        else if (c == u'\n')
            *os << "\\n";
        else if (c.unicode() < 0x20 || c.unicode() >= 0x7f)
            *os << "\\u{" << std::hex << static_cast<unsigned>(c.unicode()) << std::dec << '}';
        else
            *os << static_cast<char>(c.unicode());
    }
    *os << '"';
}

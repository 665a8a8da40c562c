#pragma once

// Lets test messages stream Qt texts (EXPECT_EQ(a, b) << someQString), and failed comparisons
// print the text (control characters escaped) rather than its characters one by one.

#include <QString>
#include <ostream>

inline std::ostream &operator<<(std::ostream &os, const QString &text) {
    return os << text.toStdString();
}

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

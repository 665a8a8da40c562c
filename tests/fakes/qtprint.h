#pragma once

// Lets test messages stream Qt texts: EXPECT_EQ(a, b) << someQString.

#include <QString>
#include <ostream>

inline std::ostream &operator<<(std::ostream &os, const QString &text) {
    return os << text.toStdString();
}

#pragma once

// Reading and writing whole files in tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace tarvos::testing {

inline QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
    f.write(bytes);
}

} // namespace tarvos::testing

#pragma once

// Status texts in the record layout, built field by field.

#include "network/statusfeed.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>

namespace tarvos::testing {

// One record of 49 fields with the given fields set, without line end.
inline QString record(std::initializer_list<std::pair<int, QString>> fields) {
    QStringList f;
    for (int i = 0; i < kRecordFields; ++i)
        f << QString();
    for (const auto &[n, value] : fields)
        f[n] = value;
    return f.join(u':');
}

inline QString pilot(const QString &callsign, const QString &departure, const QString &destination,
                     const QString &route = QString(), const QString &remarks = QString()) {
    return record({{0, callsign},
                   {1, "100"},
                   {2, "100"},
                   {3, "PILOT"},
                   {10, "N0450"},
                   {12, "F350"},
                   {11, departure},
                   {13, destination},
                   {14, "ZZZZZ"},
                   {29, remarks},
                   {30, route}});
}

inline QString atc(const QString &callsign, const QString &name, const QString &frequency) {
    return record({{0, callsign}, {1, name}, {2, name}, {3, "ATC"}, {4, frequency}, {12, "LVL"}});
}

} // namespace tarvos::testing

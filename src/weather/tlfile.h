#pragma once

#include "console/datadir.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarvos {

// tl.txt: the transition level by the QNH, per airport or country. A data line is
//   TL|code|TA|lowest QNH|highest QNH|caption
// where the code is an airport ("EGLL") or the start of airport codes ("EG", "K"), TA the
// transition altitude in feet, the bounds whole hectopascals (inclusive) and the caption what
// the console shows and the ATIS texts say ("TL70"). Any other line is a comment. Written with
// the German table for ED and ET when it is missing.
DefaultFile tlDefaultFile();

struct TlLine {
    QString code;
    int altitude = 0; // the transition altitude in feet
    int lowest = 0, highest = 0;
    QString caption;
};
using TlTable = QList<TlLine>;

// The data lines of tl.txt; a TL line without a code or with a field that is no whole number
// is a comment too.
TlTable readTlTable(const QStringList &lines);

// The table of the default file, read once.
const TlTable &defaultTlTable();

// The level of `station` for `qnh`: the lines of the longest code that the station begins
// with, and of those the first whose bounds hold the QNH.
struct LevelChoice {
    // Some code begins the station; without one the console gives no level at all.
    bool known = false;
    int altitude = 0; // of the chosen line, or the code's first line when none holds the QNH
    // The caption; nullopt keeps what it shows (the code's lines do not hold the QNH), and
    // empty where no code begins the station.
    std::optional<QString> caption;
};
LevelChoice chooseLevel(const TlTable &table, const QString &station, int qnh);

// Label2's tooltip for a level, and its tooltip and accessible description without one.
QString levelToolTip(int altitude);
QString noLevelText(const QString &station);

} // namespace tarvos

#include "weather/tlfile.h"

namespace tarvos {

DefaultFile tlDefaultFile() {
    QStringList lines;
    for (const char *country : {"ED", "ET"}) {
        const QString prefix =
            QStringLiteral("TL|") + QLatin1String(country) + QStringLiteral("|5000|");
        lines << prefix + QStringLiteral("0|978|TL80") << prefix + QStringLiteral("979|1012|TL70")
              << prefix + QStringLiteral("1013|1046|TL60")
              << prefix + QStringLiteral("1047|1052|TL50");
    }
    lines << QString()
          << QStringLiteral("Transition levels: TL|code|TA|lowest QNH|highest QNH|caption")
          << QStringLiteral("  code: an airport (EGLL) or the start of airport codes (EG, E, K).")
          << QStringLiteral("  The longest code that starts the airport's code applies, and of its "
                            "lines the first")
          << QStringLiteral("  whose bounds (whole hPa, both included) hold the QNH. TA is the "
                            "transition altitude")
          << QStringLiteral("  in feet; the caption is shown and spoken in the ATIS. Other lines "
                            "are comments.")
          << QStringLiteral("  An airport that no code starts gets no transition level.")
          << QStringLiteral("Example for a transition altitude of 6000 ft (remove the # to use "
                            "it):")
          << QStringLiteral("#TL|EG|6000|0|978|TL90") << QStringLiteral("#TL|EG|6000|979|1012|TL80")
          << QStringLiteral("#TL|EG|6000|1013|1046|TL70")
          << QStringLiteral("#TL|EG|6000|1047|1099|TL60");
    return DefaultFile{QStringLiteral("tl.txt"), lines,
                       QStringLiteral("The file tl.txt has been created. If you do not control in "
                                      "Germany, please edit this file.")};
}

TlTable readTlTable(const QStringList &lines) {
    TlTable table;
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() < 6 || f[0] != QLatin1String("TL") || f[1].isEmpty())
            continue;
        bool ta = false, low = false, high = false;
        TlLine tl{f[1], f[2].toInt(&ta), f[3].toInt(&low), f[4].toInt(&high),
                  f.mid(5).join(QLatin1Char('|'))};
        if (ta && low && high)
            table.append(tl);
    }
    return table;
}

const TlTable &defaultTlTable() {
    static const TlTable table = readTlTable(tlDefaultFile().lines);
    return table;
}

LevelChoice chooseLevel(const TlTable &table, const QString &station, int qnh) {
    qsizetype longest = 0;
    for (const TlLine &line : table) {
        if (station.startsWith(line.code) && line.code.size() > longest)
            longest = line.code.size();
    }
    if (longest == 0)
        return LevelChoice{false, 0, QString()};
    LevelChoice choice{true, 0, std::nullopt};
    for (const TlLine &line : table) {
        if (line.code.size() != longest || !station.startsWith(line.code))
            continue;
        if (choice.altitude == 0)
            choice.altitude = line.altitude;
        if (qnh >= line.lowest && qnh <= line.highest)
            return LevelChoice{true, line.altitude, line.caption};
    }
    return choice;
}

QString levelToolTip(int altitude) {
    return QStringLiteral("The TL is calculated by the QNH with TA=%1ft / dbl-click : shows 2 "
                          "flight-strips")
        .arg(altitude);
}

QString noLevelText(const QString &station) {
    return QStringLiteral("tl.txt has no transition level for %1: the console gives none.")
        .arg(station);
}

} // namespace tarvos

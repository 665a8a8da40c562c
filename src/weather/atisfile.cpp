#include "weather/atisfile.h"

namespace tarvos {

namespace {

template <typename Line, typename Applies>
const Line *longestRunway(const QList<Line> &lines, const QString &text4, Applies applies) {
    const Line *chosen = nullptr;
    for (const Line &line : lines) {
        if (applies(line) && text4.startsWith(line.runway) &&
            (!chosen || line.runway.size() >= chosen->runway.size()))
            chosen = &line;
    }
    return chosen;
}

} // namespace

DefaultFile atisDefaultFile() {
    return DefaultFile{
        QStringLiteral("atis.txt"),
        {
            QStringLiteral("TWR|EDDT|0|/EDDT_TWR|This is Berlin Tegel Information |Expect ILS RWY "
                           "08L approach, take-off on request.|RWY 08R for take-off."),
            QStringLiteral("TWR|EDDT|2|/EDDT_TWR|This is Berlin Tegel Information |Expect ILS RWY "
                           "26R approach, take-off on request.|RWY 26L for take-off."),
            QStringLiteral("TWR|EDDB|0|/EDDB_TWR|This is Berlin Schönefeld Information |RWY 07R "
                           "for landing and take-off."),
            QStringLiteral("TWR|EDDB|2|/EDDB_TWR|This is Berlin Schönefeld Information |RWY 25L "
                           "for landing and take-off."),
            QStringLiteral("TWR|EDDI|0|/EDDI_TWR|This is Berlin Tempelhof Information |RWY 09R "
                           "for landing and take-off."),
            QStringLiteral("TWR|EDDI|2|/EDDI_TWR|This is Berlin Tempelhof Information |RWY 27L "
                           "for landing and take-off."),
            QStringLiteral("APP|/EDBB_APP"),
            QStringLiteral("APP-RWY|0|EDDT RWY 08L APP 08R DEP|EDDI RWY 09R APP/DEP|EDDB RWY 07R "
                           "APP/DEP"),
            QStringLiteral("APP-RWY|2|EDDT RWY 26R APP 26L DEP|EDDI RWY 27L APP/DEP|EDDB RWY 25L "
                           "APP/DEP"),
            QStringLiteral("DEP|Immediately after DEP contact EDBB_APP on 119.62 !"),
            QString(),
            QStringLiteral("Fields are separated by | and taken exactly as written, blanks "
                           "included. Other lines are comments."),
            QStringLiteral("Tower: TWR|airport|landing runway|channel|intro|runway "
                           "line|runway line..."),
            QStringLiteral("  A line applies when the landing runway starts with its runway (2 "
                           "fits 25L and 26R);"),
            QStringLiteral("  the longest runway wins, of equally long ones the last line."),
            QStringLiteral("  The channel follows the voice server, the intro ends with a blank "
                           "before the letter."),
            QStringLiteral("Approach: APP|channel and APP-RWY|landing runway|airport "
                           "line|airport line..."),
            QStringLiteral("Immediate contact (imm): DEP|sentence"),
            QStringLiteral("Example for Frankfurt (remove the # to use it):"),
            QStringLiteral("#TWR|EDDF|25|/EDDF_TWR|This is Frankfurt Information |RWY 25L and "
                           "25C for landing.|RWY 25C and 18 for take-off."),
            QStringLiteral("#TWR|EDDF|07|/EDDF_TWR|This is Frankfurt Information |RWY 07R and "
                           "07C for landing.|RWY 07C and 18 for take-off."),
        },
        QStringLiteral("The file atis.txt has been created. If you do not control in Berlin, "
                       "please edit this file."),
    };
}

AtisTable readAtisTable(const QStringList &lines) {
    AtisTable table;
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char('|'));
        const QString &key = f.first();
        if (key == QLatin1String("TWR") && f.size() >= 5)
            table.tower.append(TowerAtisLine{f[1], f[2], f[3], f[4], f.mid(5)});
        else if (key == QLatin1String("APP-RWY") && f.size() >= 2)
            table.approach.append(ApproachAtisLine{f[1], f.mid(2)});
        else if (key == QLatin1String("APP") && f.size() >= 2)
            table.approachChannel = line.mid(key.size() + 1);
        else if (key == QLatin1String("DEP") && f.size() >= 2)
            table.departureSentence = line.mid(key.size() + 1);
    }
    return table;
}

const AtisTable &defaultAtisTable() {
    static const AtisTable table = readAtisTable(atisDefaultFile().lines);
    return table;
}

const TowerAtisLine *chooseTowerAtis(const AtisTable &table, const QString &airport,
                                     const QString &text4) {
    return longestRunway(table.tower, text4,
                         [&](const TowerAtisLine &line) { return line.airport == airport; });
}

const ApproachAtisLine *chooseApproachAtis(const AtisTable &table, const QString &text4) {
    return longestRunway(table.approach, text4, [](const ApproachAtisLine &) { return true; });
}

} // namespace tarvos

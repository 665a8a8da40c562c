#pragma once

#include <QString>
#include <QStringList>

namespace tarvos {

// The code the next "a" assigns when the next-squawk field is empty.
inline const QString kFirstSquawk = QStringLiteral("5051");

// The code that follows an assigned one: transponder codes count in octal digits, so 5057 is
// followed by 5060, 5077 by 5100 and 5777 by 6000. Codes keep four digits (0100 is followed by
// 0101). The sequence never hands out the emergency codes 7500, 7600 and 7700 and after 7776
// wraps to 0001, so it never reaches 7777 or a code with the digits 8 or 9. A text that is no
// code of one to four digits restarts the sequence at 5051.
QString nextSquawk(const QString &assigned);

// squawk.txt: the S value, the next-squawk field, the home airport and the ATIS letter number.
struct SquawkFile {
    QString startsquawk;
    QString lastsquawk;
    QString homeicao;
    QString atisnumber; // as written; the caller converts it leniently
    int linesRead = 0;  // a short file sets only the values it holds
};

SquawkFile parseSquawkFile(const QStringList &lines);
QStringList squawkFileLines(const QString &startsquawk, const QString &nextSquawkField,
                            const QString &homeicao, int atisnumber);

} // namespace tarvos

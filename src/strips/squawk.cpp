#include "strips/squawk.h"

#include "console/numbers.h"

namespace tarvos {

namespace {

bool isOctalCode(int code) {
    for (int i = 0; i < 4; ++i, code /= 10) {
        if (code % 10 > 7)
            return false;
    }
    return true;
}

bool isReserved(int code) {
    return code == 7500 || code == 7600 || code == 7700 || code == 7777;
}

bool isCodeText(const QString &text) {
    if (text.isEmpty() || text.size() > 4)
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

QString nextSquawk(const QString &assigned) {
    const QString code = assigned.trimmed();
    if (!isCodeText(code))
        return kFirstSquawk;
    int next = code.toInt();
    do {
        ++next;
        if (next > 7776)
            next = 1;
    } while (!isOctalCode(next) || isReserved(next) || next == 0);
    return QStringLiteral("%1").arg(next, 4, 10, QLatin1Char('0'));
}

SquawkFile parseSquawkFile(const QStringList &lines) {
    SquawkFile file;
    file.linesRead = static_cast<int>(std::min<qsizetype>(lines.size(), 4));
    if (lines.size() > 0)
        file.startsquawk = lines[0];
    if (lines.size() > 1)
        file.lastsquawk = lines[1];
    if (lines.size() > 2)
        file.homeicao = lines[2];
    if (lines.size() > 3)
        file.atisnumber = lines[3];
    return file;
}

QStringList squawkFileLines(const QString &startsquawk, const QString &nextSquawkField,
                            const QString &homeicao, int atisnumber) {
    return {startsquawk, nextSquawkField, homeicao, numberLine(atisnumber)};
}

} // namespace tarvos

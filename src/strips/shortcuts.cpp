#include "strips/shortcuts.h"

namespace tarvos {

const DefaultFile &shortcutFile() {
    static const DefaultFile file{
        QStringLiteral("shortcut.txt"),
        {
            QStringLiteral("b1l BRANE1L"), QStringLiteral("b1n BRANE1N"),
            QStringLiteral("b1t BRANE1T"), QStringLiteral("b2x BELID2X"),
            QStringLiteral("b3s BELID3S"), QStringLiteral("b3v BRANE3V"),
            QStringLiteral("b5l BKD5L"),   QStringLiteral("b5q BKD5Q"),
            QStringLiteral("b5s BKD5S"),   QStringLiteral("b6x BKD6X"),
            QStringLiteral("b7r BKD7R"),   QStringLiteral("b7t BKD7T"),
            QStringLiteral("f3q FWE3Q"),   QStringLiteral("f3x FWE3X"),
            QStringLiteral("g1q GENTI1Q"), QStringLiteral("g1t GERGA1T"),
            QStringLiteral("g2l GERGA2L"), QStringLiteral("g3r GENTI3R"),
            QStringLiteral("g5q GILAS5Q"), QStringLiteral("g6r GILAS6R"),
            QStringLiteral("g7q GILAS7Q"), QStringLiteral("k3r KLF3R"),
            QStringLiteral("k3s KLF3S"),   QStringLiteral("l3t LANUM3T"),
            QStringLiteral("n2l NASAT2L"), QStringLiteral("r1t RAKIT1T"),
            QStringLiteral("r2l RAKIT2L"), QStringLiteral("r2r RAKIT2R"),
            QStringLiteral("r2s RAKIT2S"), QStringLiteral("r3q RAKIT3Q"),
            QStringLiteral("r3x RAKIT3X"), QStringLiteral("s6r SUI6R"),
            QStringLiteral("s7q SUI7Q"),   QStringLiteral("t2r TUVAK2R"),
            QStringLiteral("t2s TUVAK2S"), QStringLiteral("t3q TUVAK3Q"),
            QStringLiteral("t3x TUVAK3X"),
        },
        QStringLiteral("The file shortcut.txt has been created. If you do not control in Berlin, "
                       "please edit this file. Now press OK and continue!")};
    return file;
}

CodeExpansion lookupShortcut(const DataDir &dir, MessageBox &messages, const QString &viaText) {
    const DataDir::OpenResult table = dir.openOrCreate(shortcutFile(), messages);
    if (table.outcome == DataDir::Outcome::Created)
        return CodeExpansion{viaText, false};
    return expandCode(table.lines, viaText);
}

bool isChartWord(const QString &viaText) {
    return viaText == QStringLiteral("SID") || viaText == QStringLiteral("sid");
}

} // namespace tarvos

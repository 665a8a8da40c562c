#include "console/form1.h"

#include <QStringList>

namespace tarvos {

QString generalHelpText() {
    static const QStringList lines = {
        QStringLiteral("In diesem Fenster kann mit den Pfeiltasten weiter gescrollt werden."),
        QStringLiteral(""),
        QStringLiteral("SQUAWK:"),
        QStringLiteral(
            "Wird in das Squawk-Feld ein \"a\" eingetippt, so erfolgt eine automatische "),
        QStringLiteral("Squawk Vergabe. Der Squawk-Anfangswert kann über das "),
        QStringLiteral("Feld \"Next Squawk\" voreingestellt werden."),
        QStringLiteral("S-Button= Selbst-eingestellten-Squawk laden"),
        QStringLiteral("L-Button= Letzten Squawk laden"),
        QStringLiteral(
            "In der Datei C:\\squawk.txt ist der erste Wert der S-Wert und der zweite der "),
        QStringLiteral("L-Wert und kann hier geändert werden."),
        QStringLiteral(""),
        QStringLiteral("CALLSIGN:"),
        QStringLiteral("Zum Teil wird das Callsign im Klartext übersetzt. Beispiel:"),
        QStringLiteral("Aus cfg440 wird \"Condor cfg440\""),
        QStringLiteral(""),
        QStringLiteral("ATIS:"),
        QStringLiteral("Wenn sich ein kompletter METAR-ATIS in der Zwischenablage befindet,"),
        QStringLiteral("dann muß man nur noch den ATIS-Button drücken. Wind, Windstärke, QNH "),
        QStringLiteral("und die Landebahnen werden dann in die jeweiligen Felder automatisch "),
        QStringLiteral(
            "eingesetzt. Sollte sich kein ATIS in der Zwischenablage befinden, so erscheint "),
        QStringLiteral("eine \"ERR\" Meldung!"),
        QStringLiteral(""),
        QStringLiteral("AutoAtis:"),
        QStringLiteral(
            "Gebe als Beispiel EDDT in das Feld unter dem Button AutoAtis ein und drücke "),
        QStringLiteral(
            "AutoAtis. Jetzt wird aus dem Internet der aktuelle Atis geholt und alle 10 "),
        QStringLiteral("Minuten automatisch neu erstellt."),
        QStringLiteral(
            "In dem Feld unter dem Button\" AutoAtis\",  befindet sich dann die Uhrzeit vom "),
        QStringLiteral("Atis, und rechts daneben steht die aktuelle Atis Information "),
        QStringLiteral("(als Beispiel \"A\"=Informtion Alpha)"),
        QStringLiteral("Rote Markierung = AutoAtis deaktiviert"),
        QStringLiteral("Grüne Markierung= AutoAtis ist aktiv"),
        QStringLiteral(""),
        QStringLiteral("Checkbox:"),
        QStringLiteral("Wenn sich in der Checkbox ein Haken befindet, dann bleibt die Tarvos "),
        QStringLiteral("immer im Vordergrund!"),
        QStringLiteral(""),
        QStringLiteral("Fa-Button:"),
        QStringLiteral("Farbänderung zwischen ROT und SCHWARZ"),
        QStringLiteral(""),
        QStringLiteral("1.-Button:"),
        QStringLiteral(
            "Nimmt diesen Flugstreifen an die erste Position und tauscht mit der oberen."),
        QStringLiteral(""),
        QStringLiteral("Lö-Button:"),
        QStringLiteral(
            "Löscht den Flugstreifen. Vorher wird die ganze Zeile mit Datum/Uhrzeit und "),
        QStringLiteral("Startbahn in eine LOG-Datei geschrieben. (log.txt)"),
        QStringLiteral(""),
        QStringLiteral("A-Button:"),
        QStringLiteral("Löscht alle Flugstreifen!"),
        QStringLiteral(""),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QString viaHelpText() {
    // Two blocks of three columns: airport and runway direction, then shortcut and SID.
    struct Block {
        QStringList headings;
        QList<QStringList> columns;
    };
    const Block blocks[] = {
        {{QStringLiteral("EDDT 08:"), QStringLiteral("EDDI 09:"), QStringLiteral("EDDB 07:")},
         {{"b5t  BKD5T", "b5l  BKD5L", "b1v  BRANE1V", "b1t  BRANE1T", "l1t  LANUM1T",
           "g1t  GERGA1T", "r1t  RAKIT1T"},
          {"b6r  BKD6R", "g1r  GENTI1R", "g5r  GILAS5R", "k1r  KLF1R", "r1r  RAKIT1R", "s5r  SUI5R",
           "t1r  TUVAK1R"},
          {"b1s  BELID1S", "b4s  BKD4S", "k1s  KLF1S", "r1s  RAKIT1S", "t1s  TUVAK1S"}}},
        {{QStringLiteral("EDDT 26:"), QStringLiteral("EDDI 27:"), QStringLiteral("EDDB 25:")},
         {{"b1l  BRANE1L", "b1n  BRANE1N", "g1l  GERGA1L", "n1l  NASAT1L", "r1l  RAKIT1L"},
          {"b5q  BKD5Q", "f1q  FWE1Q", "g1q  GENTI1Q", "g5q  GILAS5Q", "r1q  RAKIT1Q", "s5q  SUI5Q",
           "t1q  TUVAK1Q"},
          {"b1x  BELID1X", "b5x  BKD5x", "f1x  FWE1X", "r1x  RAKIT1X", "t1x  TUVAK1X"}}},
    };
    QStringList lines{QStringLiteral("Shortcuts für das via-Feld:"), QString()};
    for (const Block &block : blocks) {
        lines << block.headings.join(QLatin1Char('\t'));
        lines << QStringList(3, QStringLiteral("------------")).join(QLatin1Char('\t'));
        qsizetype depth = 0;
        for (const QStringList &column : block.columns)
            depth = std::max(depth, column.size());
        for (qsizetype i = 0; i < depth; ++i) {
            QStringList cells;
            for (const QStringList &column : block.columns)
                cells << column.value(i);
            while (!cells.isEmpty() && cells.last().isEmpty())
                cells.removeLast();
            lines << cells.join(QLatin1Char('\t'));
        }
        lines << QString();
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace tarvos

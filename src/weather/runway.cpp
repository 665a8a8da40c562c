#include "weather/runway.h"

#include "console/numbers.h"

namespace tarvos {

DefaultFile rwyDefaultFile() {
    return DefaultFile{
        QStringLiteral("rwy.txt"),
        {
            QStringLiteral("EDDT 08L 08R"),
            QStringLiteral("EDDT 26R 26L"),
            QStringLiteral("EDDI 09R 09R"),
            QStringLiteral("EDDI 27L 27L"),
            QStringLiteral("EDDB 07R 07R"),
            QStringLiteral("EDDB 25L 25L"),
            QStringLiteral("ETNL 10  10 "),
            QStringLiteral("ETNL 28  28 "),
            QString(),
            QStringLiteral("Entry sequence: ICAO-CODE Landing-RWY TakeOff-RWY"),
            QString(),
            QStringLiteral("...enter it for both directions!!!"),
            // The blank that pads a runway is meant to be visible in this hint, hence two.
            QStringLiteral("for RWY's with no R or L please give it a space ") +
                QStringLiteral(" (see ETNL)!"),
        },
        QStringLiteral("the  file rwy.txt has been createt. If you do not controll in Berlin, "
                       "please edit this file with a normal editor."),
    };
}

RunwayChoice chooseRunways(const QStringList &rwyLines, const QString &station,
                           const QString &windDirection) {
    return chooseRunways(rwyLines, station, leadingInt(windDirection), At180::Westerly);
}

RunwayChoice chooseRunways(const QStringList &rwyLines, const QString &station, int windDegrees,
                           At180 at180) {
    RunwayChoice choice;
    // Without an airport there is nothing to choose; an empty code would match the empty
    // lines that separate the hints.
    if (station.isEmpty())
        return choice;
    const bool westerly = windDegrees > 180 || (windDegrees == 180 && at180 == At180::Westerly);
    for (const QString &line : rwyLines) {
        if (mid1(line, 1, 4) != station)
            continue;
        const bool westRunway = leadingInt(mid1(line, 6, 2)) >= 18;
        if (westerly == westRunway) {
            choice.text4 = mid1(line, 6, 3);
            choice.text5 = mid1(line, 10, 3);
        }
    }
    return choice;
}

RunwayChoice loadrwy(const DataDir::OpenResult &rwyFile, const QString &station,
                     const QString &windDirection) {
    // The run that created the file chooses nothing; where the file could not be written the
    // built-in lines serve.
    if (rwyFile.outcome == DataDir::Outcome::Created)
        return {};
    return chooseRunways(rwyFile.lines, station, windDirection);
}

} // namespace tarvos

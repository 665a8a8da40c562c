#include "weather/runway.h"

#include "console/numbers.h"
#include "weather/metar.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <numbers>

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

namespace {

// ICAO's limits for a noise-preferential runway, in knots, the gust counted.
constexpr double kPreferredTailwind = 5.0;
constexpr double kPreferredCrosswind = 15.0;

struct RwyLine {
    int heading = 0; // the landing runway's number times ten, 0..359
    bool westRunway = false;
    bool preferred = false;
    QString text4, text5;
};

RwyLine rwyLine(const QString &line) {
    const int number = leadingInt(mid1(line, 6, 2));
    const QString note = mid1(line, 14).trimmed();
    const bool preferred = note.section(QLatin1Char(' '), 0, 0)
                               .compare(QLatin1String("preferred"), Qt::CaseInsensitive) == 0;
    return RwyLine{((number % 36) + 36) % 36 * 10, number >= 18, preferred, mid1(line, 6, 3),
                   mid1(line, 10, 3)};
}

// The angle between the wind and a runway's heading, 0..180.
int angleBetween(int direction, int heading) {
    const int d = ((direction - heading) % 360 + 360) % 360;
    return d > 180 ? 360 - d : d;
}

bool withinPreferredLimits(const RwyLine &line, int direction, int strength) {
    const double a = angleBetween(direction, line.heading) * std::numbers::pi / 180.0;
    const double tailwind = -strength * std::cos(a);
    const double crosswind = strength * std::abs(std::sin(a));
    constexpr double slack = 1e-9;
    return tailwind <= kPreferredTailwind + slack && crosswind <= kPreferredCrosswind + slack;
}

RunwayChoice choiceOf(const RwyLine &line) {
    return RunwayChoice{line.text4, line.text5};
}

} // namespace

RunwayWind runwayWind(const MetarReport &report) {
    if (report.windMissing)
        return {};
    return RunwayWind{report.direction, leadingInt(report.speed),
                      report.gust ? leadingInt(*report.gust) : 0};
}

RunwayChoice chooseRunways(const QStringList &rwyLines, const QString &station,
                           const QString &windDirection) {
    return chooseRunways(rwyLines, station, RunwayWind{windDirection, 0, 0}, At180::Westerly);
}

RunwayChoice chooseRunways(const QStringList &rwyLines, const QString &station,
                           const RunwayWind &wind, At180 at180) {
    // Without an airport there is nothing to choose; an empty code would match the empty
    // lines that separate the hints.
    if (station.isEmpty())
        return {};
    QList<RwyLine> lines;
    for (const QString &line : rwyLines) {
        if (mid1(line, 1, 4) == station)
            lines.append(rwyLine(line));
    }
    if (lines.isEmpty())
        return {};
    const auto firstPreferred = [&](auto &&holds) -> const RwyLine * {
        for (const RwyLine &line : lines) {
            if (line.preferred && holds(line))
                return &line;
        }
        return nullptr;
    };

    const int direction = leadingInt(wind.direction);
    if (direction == 0 || wind.direction == QLatin1String("VRB")) {
        const RwyLine *calm = firstPreferred([](const RwyLine &) { return true; });
        return choiceOf(calm ? *calm : lines.first());
    }
    const int strength = std::max(wind.speed, wind.gust);
    if (const RwyLine *kept = firstPreferred(
            [&](const RwyLine &line) { return withinPreferredLimits(line, direction, strength); }))
        return choiceOf(*kept);

    const bool westerly = direction > 180 || (direction == 180 && at180 == At180::Westerly);
    const RwyLine *chosen = nullptr;
    int chosenAngle = 0;
    for (const RwyLine &line : lines) {
        const int angle = angleBetween(direction, line.heading);
        if (angle > 90)
            continue; // the wind behind the landing runway
        const bool nearer = !chosen || angle < chosenAngle;
        const bool asNear = chosen && angle == chosenAngle &&
                            (line.westRunway == westerly || chosen->westRunway != westerly);
        if (nearer || asNear) {
            chosen = &line;
            chosenAngle = angle;
        }
    }
    return chosen ? choiceOf(*chosen) : RunwayChoice{};
}

bool hasRunwayLines(const QStringList &rwyLines, const QString &station) {
    return !station.isEmpty() &&
           std::any_of(rwyLines.begin(), rwyLines.end(),
                       [&](const QString &l) { return mid1(l, 1, 4) == station; });
}

namespace {
// "headwind 12 kt, crosswind 4 kt from the left" for `strength` knots from `direction`.
QString componentsText(int direction, int heading, int strength) {
    // Clockwise from the runway's heading: a wind from the right of the nose is positive.
    const double a = (direction - heading) * std::numbers::pi / 180.0;
    const long along = std::lround(strength * std::cos(a));
    const long across = std::lround(strength * std::sin(a));
    QString text = along < 0 ? QStringLiteral("tailwind %1 kt").arg(-along)
                             : QStringLiteral("headwind %1 kt").arg(along);
    text += QStringLiteral(", crosswind %1 kt").arg(std::labs(across));
    if (across != 0)
        text += across > 0 ? QLatin1String(" from the right") : QLatin1String(" from the left");
    return text;
}
} // namespace

QString runwayWindText(const QString &runway, const RunwayWind &wind) {
    const QString name = runway.trimmed();
    bool numbered = false;
    const int number = name.left(2).toInt(&numbered);
    if (!numbered || number < 1 || number > 36)
        return {};
    const QString head = name + QLatin1String(": ");
    if (wind.direction == QLatin1String("VRB"))
        return head + QStringLiteral("variable wind at %1 kt").arg(wind.speed);
    const int direction = leadingInt(wind.direction);
    if (direction == 0 || wind.speed == 0)
        return head + QLatin1String("calm wind");
    const int heading = number % 36 * 10;
    QString text = head + componentsText(direction, heading, wind.speed);
    if (wind.gust > wind.speed)
        text += QLatin1String("; in gusts ") + componentsText(direction, heading, wind.gust);
    return text;
}

RunwayChoice loadrwy(const DataDir::OpenResult &rwyFile, const QString &station,
                     const RunwayWind &wind) {
    // The run that created the file chooses nothing; where the file could not be written the
    // built-in lines serve.
    if (rwyFile.outcome == DataDir::Outcome::Created)
        return {};
    return chooseRunways(rwyFile.lines, station, wind);
}

RunwayChoice loadrwy(const DataDir::OpenResult &rwyFile, const QString &station,
                     const QString &windDirection) {
    return loadrwy(rwyFile, station, RunwayWind{windDirection, 0, 0});
}

} // namespace tarvos

// Any clipboard text through the METAR decoding and on into the runway choice: no crash, no
// read past the end, and the decoding keeps its promises whatever the text: every field it
// shows comes from a group of the report, the level from tl.txt's rule for the report's own
// station, and the runways from one line of rwy.txt for that airport.
#include "console/numbers.h"
#include "weather/metar.h"
#include "weather/runway.h"
#include "weather/tlfile.h"

#include "fuzztext.h"

#include <QRegularExpression>

#include <cmath>

using namespace tarvos;
using tarvos::fuzz::require;

namespace {

// Whether a whole Q or A group of the text gives the QNH.
bool givenByAGroup(const QString &tail, int qnh) {
    static const QRegularExpression q(QStringLiteral("Q(\\d{4})(?:\\.\\d+|/\\S*)?$"));
    static const QRegularExpression a(QStringLiteral("^A(\\d{4})$"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString &group : tail.split(blanks, Qt::SkipEmptyParts)) {
        if (const auto m = q.match(group); m.hasMatch() && m.captured(1).toInt() == qnh)
            return true;
        if (const auto m = a.match(group);
            m.hasMatch() && std::floor(m.captured(1).toInt() * 0.338639 + 0.5) == qnh)
            return true;
    }
    return false;
}

bool fromALineOf(const QStringList &lines, const QString &station, const RunwayChoice &choice) {
    for (const QString &line : lines) {
        if (mid1(line, 1, 4) == station && mid1(line, 6, 3) == choice.text4 &&
            mid1(line, 10, 3) == choice.text5)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const QString metar = fuzz::textFrom(data + 1, size - 1, data[0]);
    // The table of tl.txt: the default one, or one made of the text's own lines.
    const QStringList lines = metar.split(QLatin1Char('\n'));
    const TlTable tl = data[0] & 0x80 ? readTlTable(lines) : defaultTlTable();
    const MetarDecoding d = decodeMetar(metar, tl);
    const std::optional<MetarReport> report = readMetar(metar);

    require(d.decoded == report.has_value());
    require(d.metartail == d.clipboardText);
    if (!d.decoded) {
        require(d.clipboardText == mid1(metar, 8));
        require(d.text1 == QLatin1String("Err") && d.text2.isEmpty());
        require(d.text3 == QLatin1String("Err") && d.text4 == QString() && d.text5 == QString());
        require(!d.text6 && !d.label2);
        return 0;
    }
    require(d.clipboardText == report->tail && !report->tail.contains(u'\n'));
    require(d.text6 == report->time() && d.text6->size() == 5 && !d.text4 && !d.text5);
    require(d.text1 == report->direction && d.text1.size() == 3);
    require(d.text2 == report->speed && d.text2.size() >= 2 && d.text2.size() <= 4);

    // A QNH is shown only when a whole Q or A group of the observation gave it.
    require(d.pressureMissing == d.text3.isEmpty());
    if (!d.pressureMissing) {
        const int qnh = d.text3.toInt();
        require(QString::number(qnh) == d.text3 && givenByAGroup(report->tail, qnh));
        const LevelChoice level = chooseLevel(tl, report->station, qnh);
        require(d.label2 == level.caption);
        require(level.caption || level.known);
    } else {
        require(d.label2 == QString());
    }
    const bool known = chooseLevel(tl, report->station, 0).known;
    require(d.label2Description.isEmpty() == known);
    if (!known)
        require(d.label2ToolTip.contains(report->station) && d.label2->isEmpty());

    // The wind just decoded chooses from a table made of the report itself.
    for (const At180 at180 : {At180::Westerly, At180::Easterly}) {
        const RunwayChoice choice =
            chooseRunways(lines, report->station, runwayWind(*report), at180);
        require(choice.text4.has_value() == choice.text5.has_value());
        if (choice.text4)
            require(fromALineOf(lines, report->station, choice));
    }
    return 0;
}

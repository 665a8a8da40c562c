// Any bytes as a data file: the code-page detection and the line ends, then, chosen by the
// first byte, the reader of one table over those lines: the code-table expansion of
// airlines.txt and shortcut.txt (repeated as deep as the strip field's nesting bound lets it),
// squawk.txt, rwy.txt (with preferred lines) and ils.txt, the frequency lists, the destination
// lookup's index over an arbitrary ICAO.txt, checked against a plain search, and tl.txt.
#include "clientlink/frequencylist.h"
#include "console/datadir.h"
#include "console/numbers.h"
#include "console/textcodec.h"
#include "strips/codetable.h"
#include "strips/destination.h"
#include "strips/squawk.h"
#include "weather/ils.h"
#include "weather/runway.h"
#include "weather/tlfile.h"

#include "fuzztext.h"

using namespace tarvos;
using tarvos::fuzz::require;

namespace {

bool isHandedOut(const QString &code) {
    if (code.size() != 4)
        return false;
    for (const QChar c : code) {
        if (c < u'0' || c > u'7')
            return false;
    }
    return code != u"7500" && code != u"7600" && code != u"7700" && code != u"7777";
}

void codeTable(const QStringList &lines) {
    if (lines.isEmpty())
        return;
    const QStringList table = lines.mid(0, lines.size() - 1);
    QString text = lines.last();
    // A replacement that maps back to a code is expanded again by the field's change handling,
    // at most eight levels deep.
    for (int depth = 0; depth < 8; ++depth) {
        const CodeExpansion pass = expandCode(table, text);
        if (!pass.replaced) {
            require(pass.text == text);
            break;
        }
        text = pass.text;
    }
}

void squawkFile(const QStringList &lines) {
    const SquawkFile file = parseSquawkFile(lines);
    require(file.linesRead >= 0 && file.linesRead <= std::min<qsizetype>(4, lines.size()));
    for (const QString &value : {file.startsquawk, file.lastsquawk, file.homeicao}) {
        QString code = nextSquawk(value);
        for (int i = 0; i < 3; ++i) {
            require(isHandedOut(code));
            code = nextSquawk(code);
        }
    }
    const QStringList written =
        squawkFileLines(file.startsquawk, file.lastsquawk, file.homeicao, file.atisnumber.toInt());
    require(written.size() == 4);
}

// The second line is the wind: direction, speed and gust, three characters each.
void runwaysAndIls(const QStringList &lines) {
    const QString station = lines.value(0).left(4);
    const QString w = lines.value(1);
    const RunwayWind wind{w.left(3), leadingInt(mid1(w, 4, 3)), leadingInt(mid1(w, 7, 3))};
    for (const At180 at180 : {At180::Westerly, At180::Easterly}) {
        const RunwayChoice choice = chooseRunways(lines, station, wind, at180);
        require(choice.text4.has_value() == choice.text5.has_value());
        bool fromALine = !choice.text4;
        for (const QString &line : lines) {
            fromALine = fromALine ||
                        (mid1(line, 1, 4) == station && !station.isEmpty() &&
                         mid1(line, 6, 3) == choice.text4 && mid1(line, 10, 3) == choice.text5);
        }
        require(fromALine);
    }
    const QString panel = ilsPanelText(lines);
    require(panel.count(QStringLiteral("\r\n")) >= lines.size());
}

// tl.txt: the level of the first line's station for each QNH the bytes name comes from a line
// of the longest code that begins the station, and only from one whose bounds hold the QNH.
void transitionLevels(const QStringList &lines, const std::uint8_t *data, std::size_t size) {
    const TlTable table = readTlTable(lines);
    const QString station = lines.value(0).left(4);
    qsizetype longest = 0;
    for (const TlLine &line : table) {
        require(!line.code.isEmpty());
        if (station.startsWith(line.code))
            longest = std::max(longest, line.code.size());
    }
    for (std::size_t i = 0; i + 1 < size && i < 32; i += 2) {
        const int qnh = 900 + data[i] + data[i + 1] % 2 * 256;
        const LevelChoice level = chooseLevel(table, station, qnh);
        require(level.known == (longest > 0));
        if (!level.known) {
            require(level.caption == QString() && level.altitude == 0);
            continue;
        }
        bool held = false;
        for (const TlLine &line : table) {
            if (line.code.size() == longest && station.startsWith(line.code) &&
                qnh >= line.lowest && qnh <= line.highest) {
                require(level.caption == line.caption && level.altitude == line.altitude);
                held = true;
                break;
            }
        }
        require(held == level.caption.has_value());
    }
}

void frequencyList(const QStringList &lines) {
    const DataDir::ReadResult file{DataDir::Status::Ok, lines};
    int counter = 0;
    for (qsizetype press = 0; press < lines.size() + 3 && press < 64; ++press) {
        const FrequencyStep step = stepFrequencyList(file, counter);
        // The counter is the line the next press shows: one past the last line at most.
        require(step.counter >= 0 && step.counter <= lines.size() + 1);
        require(!step.createFile);
        require(step.caption == (counter > 0 ? lines.value(counter - 1) : QString()));
        counter = step.counter;
    }
}

qsizetype plainSearch(const QStringList &lines, const QString &text) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(text))
            return i;
    }
    return -1;
}

void aerodromes(const QStringList &lines, const std::uint8_t *data, std::size_t size) {
    const AerodromeIndex index(lines);
    // The queries: the Dest text of the last line, and pieces of lines of the list itself.
    QStringList queries{aerodromeSearchText(lines.value(lines.size() - 1))};
    for (std::size_t i = 0; i + 2 < size && queries.size() < 8; i += 3) {
        const QString &line = lines.value(data[i] % std::max<qsizetype>(1, lines.size()));
        queries << line.mid(data[i + 1] % (line.size() + 1), data[i + 2] % 6);
    }
    for (const QString &query : queries)
        require(index.firstLineContaining(lines, query) == plainSearch(lines, query));
    for (const QString &line : lines) {
        const QString name = aerodromeName(line);
        require(name.size() <= std::max<qsizetype>(0, line.size() - 7));
        rearrangeRemarks(name);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1),
                           static_cast<qsizetype>(size - 1));
    const QString text = decodeDataText(bytes);
    const QStringList lines = splitDataLines(text);
    QString again;
    for (const QString &line : lines) {
        require(!line.contains(u'\n'));
        again += line + QStringLiteral("\r\n");
    }
    require(splitDataLines(again) == lines);
    encodeWindows1252(text);

    switch (data[0] % 6) {
    case 0:
        codeTable(lines);
        break;
    case 1:
        squawkFile(lines);
        break;
    case 2:
        runwaysAndIls(lines);
        break;
    case 3:
        frequencyList(lines);
        break;
    case 4:
        aerodromes(lines, data + 1, size - 1);
        break;
    default:
        transitionLevels(lines, data + 1, size - 1);
        break;
    }
    return 0;
}

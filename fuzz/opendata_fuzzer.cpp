// Any bytes as a downloaded runways.csv or airports.csv (chosen by the first byte's low bit),
// with the airport to look for in the next four: the check of the body and of the same bytes
// kept as a file, then the rwy.txt lines of that airport or the ICAO.txt lines and the listing
// of the airport.
#include "console/opendata.h"
#include "strips/destination.h"

#include "fuzztext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace tarvos;
using tarvos::fuzz::require;

namespace {

QString keptCopy(const QByteArray &body) {
    static const QString path = QDir::temp().filePath(
        QStringLiteral("opendata-fuzz-%1.csv").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(body) == body.size());
    file.close();
    return path;
}

void runways(const QString &path, const QString &icao, bool whole) {
    const RunwayLines got = rwyLinesFromRunwaysCsv(path, icao);
    require(!whole || got.problem.isEmpty());
    require(got.problem.isEmpty() || (got.lines.isEmpty() && !got.airportKnown));
    require(got.lines.isEmpty() || got.airportKnown);
    static const QRegularExpression line(
        QStringLiteral("^(.+) ((?:0[1-9]|[12][0-9]|3[0-6])[LCR ]) \\2$"),
        QRegularExpression::DotMatchesEverythingOption);
    for (qsizetype i = 0; i < got.lines.size(); ++i) {
        const QRegularExpressionMatch m = line.match(got.lines[i]);
        require(m.hasMatch() && m.captured(1) == icao);
        require(got.lines.indexOf(got.lines[i]) == i); // each line once
    }
}

void airports(const QString &path, bool whole) {
    const IcaoLines got = icaoLinesFromAirportsCsv(path);
    require(!whole || got.problem.isEmpty());
    require(got.problem.isEmpty() || got.lines.isEmpty());
    static const QRegularExpression code(QStringLiteral("^[A-Z]{4}$"));
    for (qsizetype i = 0; i < got.lines.size(); ++i) {
        const QString &text = got.lines[i];
        require(code.match(text.left(4)).hasMatch());
        require(i == 0 || got.lines[i - 1].left(4) < text.left(4)); // sorted, one line a code
        const QString name = aerodromeName(text);
        require(text.size() == 4 || (text.mid(4, 3) == QLatin1String("   ") && !name.isEmpty()));
        require(name == name.trimmed());
        for (const QChar c : name)
            require(c.category() != QChar::Other_Control);
        // At most the one "|" between town and name, with text on both sides.
        const qsizetype bar = name.indexOf(QLatin1Char('|'));
        require(bar < 0 || (name.indexOf(QLatin1Char('|'), bar + 1) < 0 && bar > 1 &&
                            name.mid(bar - 1, 3) == QLatin1String(" | ") && bar + 2 < name.size()));
        (void)rearrangeRemarks(name);
    }
    if (!got.lines.isEmpty()) {
        const AirportListing listing = airportListing(path, got.lines.first().left(4));
        require(listing.listed && !listing.closed && listing.problem.isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 5)
        return 0;
    const OpenDataFile file = (data[0] & 1) ? OpenDataFile::Airports : OpenDataFile::Runways;
    const QString icao = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), 4);
    const QByteArray body(reinterpret_cast<const char *>(data + 5),
                          static_cast<qsizetype>(size - 5));

    const std::optional<QString> bodyProblem = openDataBodyProblem(file, body);
    require(!bodyProblem || !bodyProblem->isEmpty());
    require(bodyProblem || body.endsWith('\n'));
    const QString path = keptCopy(body);
    const std::optional<QString> fileProblem = openDataFileProblem(file, path);
    require(bodyProblem.has_value() == fileProblem.has_value());
    if (file == OpenDataFile::Runways && !icao.trimmed().isEmpty())
        runways(path, icao.trimmed().toUpper(), !bodyProblem);
    else if (file == OpenDataFile::Airports)
        airports(path, !bodyProblem);
    return 0;
}

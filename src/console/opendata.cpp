#include "console/opendata.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

// The Fast C++ CSV Parser (Debian's libfccp-dev), header-only; its reader is used on the
// calling thread alone, without the thread of its own that reads ahead.
#define CSV_IO_NO_THREAD
#include <csv.h>

namespace tarvos {

namespace {

// Fields are trimmed of blanks outside quotes, "" inside quotes is one quote, and blank lines
// are skipped. The reader checks that every row holds as many fields as the first line.
template <unsigned N>
using CsvReader = io::CSVReader<N, io::trim_chars<' ', '\t'>, io::double_quote_escape<',', '"'>,
                                io::ignore_overflow, io::empty_line_comment>;

// The columns read of each file; all but the last `optional` ones must be in the first line.
struct RunwayColumns {
    static constexpr std::array<const char *, 5> names = {"airport_ident", "length_ft", "closed",
                                                          "le_ident", "he_ident"};
    static constexpr std::size_t optional = 0;
};
struct AirportColumns {
    static constexpr std::array<const char *, 6> names = {"ident",        "type",     "name",
                                                          "municipality", "gps_code", "icao_code"};
    static constexpr std::size_t optional = 1; // icao_code: files since 2021 only
};
enum RunwayField { RwyAirport, RwyLength, RwyClosed, RwyLow, RwyHigh };
enum AirportField { ApIdent, ApType, ApName, ApTown, ApGps, ApIcao };

template <typename Columns> using Row = std::array<const char *, Columns::names.size()>;

// Bytes for the reader from a file opened through Qt (so that a path beyond the ANSI code page
// opens on Windows too); a read error ends the data and is remembered.
class FileSource : public io::ByteSourceBase {
public:
    FileSource(QFile &file, bool &failed) : m_file(file), m_failed(failed) {}
    int read(char *buffer, int size) override {
        const qint64 n = m_file.read(buffer, size);
        if (n < 0) {
            m_failed = true;
            return 0;
        }
        return static_cast<int>(n);
    }

private:
    QFile &m_file;
    bool &m_failed;
};

// Reads every row of a CSV source and hands its fields to `onRow` (null for an optional column
// the file lacks). Returns the reason when the source is no whole file of these columns. The
// reader's exceptions never leave this function.
template <typename Columns, typename OnRow>
std::optional<QString> scanCsv(std::unique_ptr<io::ByteSourceBase> source, OnRow &&onRow) {
    constexpr unsigned count = Columns::names.size();
    try {
        CsvReader<count> reader("", std::move(source));
        try {
            std::apply(
                [&](auto... names) {
                    reader.read_header(io::ignore_extra_column | io::ignore_missing_column,
                                       names...);
                },
                Columns::names);
        } catch (const io::error::header_missing &) {
            return QStringLiteral("the file is empty");
        }
        for (std::size_t i = 0; i + Columns::optional < count; ++i) {
            if (!reader.has_column(Columns::names[i]))
                return QStringLiteral("the column %1 is missing")
                    .arg(QLatin1StringView(Columns::names[i]));
        }
        Row<Columns> row{};
        std::array<char *, count> fields{};
        for (;;) {
            fields.fill(nullptr);
            bool read = false;
            try {
                read = std::apply([&](auto &...f) { return reader.read_row(f...); }, fields);
            } catch (const io::error::base &) {
                // A broken last row is a file that ends too early; one further up is damage.
                const unsigned line = reader.get_file_line();
                if (reader.next_line() == nullptr)
                    return QStringLiteral("the file is cut short");
                return QStringLiteral("line %1 cannot be read").arg(line);
            }
            if (!read)
                return std::nullopt;
            std::copy(fields.begin(), fields.end(), row.begin());
            onRow(row);
        }
    } catch (const std::exception &) {
        return QStringLiteral("the file cannot be read");
    }
}

// Scans the file at `path`; the returned reason also covers a file that cannot be opened, read
// or that does not end with a line end.
template <typename Columns, typename OnRow>
std::optional<QString> scanCsvFile(const QString &path, OnRow &&onRow) {
    QFile file(path);
    if (!file.exists())
        return QStringLiteral("the file is missing");
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("the file cannot be opened");
    if (file.size() == 0)
        return QStringLiteral("the file is empty");
    char last = 0;
    if (!file.seek(file.size() - 1) || !file.getChar(&last) || !file.seek(0))
        return QStringLiteral("the file cannot be read");
    bool failed = false;
    std::optional<QString> problem =
        scanCsv<Columns>(std::make_unique<FileSource>(file, failed), std::forward<OnRow>(onRow));
    if (failed)
        return QStringLiteral("the file cannot be read");
    if (!problem && last != '\n')
        return QStringLiteral("the file is cut short");
    return problem;
}

// Whether the first characters that are not blanks or a byte-order mark open an HTML page.
bool looksLikeHtml(const char *begin, const char *end) {
    if (end - begin >= 3 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0)
        begin += 3;
    while (begin != end && (*begin == ' ' || *begin == '\t' || *begin == '\r' || *begin == '\n'))
        ++begin;
    return begin != end && *begin == '<';
}

bool isBlankBody(const QByteArray &body) {
    return std::all_of(body.begin(), body.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

QString field(const char *text) {
    return text ? QString::fromUtf8(text).trimmed() : QString();
}

// The bytes of a field without the blanks around it equal `value`.
bool fieldEquals(const char *text, const QByteArray &value) {
    if (!text)
        return false;
    while (*text == ' ')
        ++text;
    std::size_t n = std::strlen(text);
    while (n > 0 && text[n - 1] == ' ')
        --n;
    return n == static_cast<std::size_t>(value.size()) && std::memcmp(text, value.data(), n) == 0;
}

// The length in feet, or -1 when the field is no number.
long long lengthFeet(const char *text) {
    bool ok = false;
    const long long feet = field(text).toLongLong(&ok);
    return ok && feet >= 0 ? feet : -1;
}

// An airport's ICAO code: icao_code where the column exists and is filled, else gps_code, else
// ident. `ownRecord` tells whether the code is the row's own (icao_code or ident) rather than
// only the GPS code.
QString airportCode(const Row<AirportColumns> &row, bool *ownRecord) {
    QString code = field(row[ApIcao]);
    bool own = !code.isEmpty();
    if (code.isEmpty())
        code = field(row[ApGps]);
    const QString ident = field(row[ApIdent]);
    if (code.isEmpty())
        code = ident;
    if (ownRecord)
        *ownRecord = own || code == ident;
    return code;
}

bool isFourLetterCode(const QString &code) {
    return code.size() == 4 &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c >= 'A' && c <= 'Z'; });
}

int typeRank(const QString &type) {
    static const std::array<QLatin1StringView, 7> order = {
        QLatin1StringView("large_airport"), QLatin1StringView("medium_airport"),
        QLatin1StringView("small_airport"), QLatin1StringView("seaplane_base"),
        QLatin1StringView("heliport"),      QLatin1StringView("balloonport"),
        QLatin1StringView("closed")};
    const auto it = std::find(order.begin(), order.end(), type);
    return it == order.end() ? 3 : static_cast<int>(it - order.begin());
}

bool isListedType(const QString &type) {
    return type != QLatin1StringView("closed") && type != QLatin1StringView("heliport") &&
           type != QLatin1StringView("balloonport");
}

// Of several rows with one code: the code's own record first, then the larger kind, then the
// first in the file (smaller is better).
using CandidateRank = std::tuple<int, int, qsizetype>;

struct Candidate {
    CandidateRank rank;
    QString name;
    QString town;
    QString type;
    QString ident;
};

CandidateRank rankOf(bool ownRecord, const QString &type, qsizetype rowNumber) {
    return {ownRecord ? 0 : 1, typeRank(type), rowNumber};
}

QString cleanText(const QString &text) {
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            clean += QLatin1Char(' ');
        else if (c == QLatin1Char('|'))
            clean += QLatin1Char('/');
        else if (c.category() != QChar::Other_Control)
            clean += c;
    }
    return clean.trimmed();
}

// A text as a sequence of words for comparison: letter case and accents aside, every run of
// other characters one blank, and a blank at either end.
QString wordsOf(const QString &text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString words(QStringLiteral(" "));
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c.isLetterOrNumber())
            words += c.toCaseFolded();
        else if (!words.endsWith(QLatin1Char(' ')))
            words += QLatin1Char(' ');
    }
    if (!words.endsWith(QLatin1Char(' ')))
        words += QLatin1Char(' ');
    return words;
}

// The words of `part` stand in `text` one after the other ("Goleniow" in "Szczecin-Goleniów").
bool containsWords(const QString &text, const QString &part) {
    const QString words = wordsOf(part);
    return words.size() > 1 && wordsOf(text).contains(words);
}

} // namespace

QString openDataFileName(OpenDataFile file) {
    return file == OpenDataFile::Runways ? QStringLiteral("runways.csv")
                                         : QStringLiteral("airports.csv");
}

std::optional<QString> openDataBodyProblem(OpenDataFile file, const QByteArray &body) {
    if (isBlankBody(body))
        return QStringLiteral("the answer is empty");
    if (looksLikeHtml(body.constData(), body.constData() + body.size()))
        return QStringLiteral("the answer is an HTML page");
    auto source =
        std::make_unique<io::detail::NonOwningStringByteSource>(body.constData(), body.size());
    const auto ignore = [](const auto &) {};
    std::optional<QString> problem = file == OpenDataFile::Runways
                                         ? scanCsv<RunwayColumns>(std::move(source), ignore)
                                         : scanCsv<AirportColumns>(std::move(source), ignore);
    if (!problem && !body.endsWith('\n'))
        return QStringLiteral("the file is cut short");
    return problem;
}

std::optional<QString> openDataFileProblem(OpenDataFile file, const QString &path) {
    {
        QFile head(path);
        if (head.open(QIODevice::ReadOnly)) {
            const QByteArray start = head.read(512);
            if (looksLikeHtml(start.constData(), start.constData() + start.size()))
                return QStringLiteral("the file is an HTML page");
        }
    }
    const auto ignore = [](const auto &) {};
    return file == OpenDataFile::Runways ? scanCsvFile<RunwayColumns>(path, ignore)
                                         : scanCsvFile<AirportColumns>(path, ignore);
}

std::optional<QString> usableRunwayEnd(const QString &ident) {
    const QString text = ident.trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && digits < 3 && text[digits].isDigit() &&
           text[digits].unicode() < 0x80)
        ++digits;
    if (digits == 0 || digits > 2)
        return std::nullopt;
    const QString rest = text.mid(digits);
    if (!rest.isEmpty() && rest != QLatin1String("L") && rest != QLatin1String("C") &&
        rest != QLatin1String("R"))
        return std::nullopt;
    const int number = text.left(digits).toInt();
    if (number < 1 || number > 36)
        return std::nullopt;
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')) +
           (rest.isEmpty() ? QStringLiteral(" ") : rest);
}

RunwayLines rwyLinesFromRunwaysCsv(const QString &path, const QString &icao) {
    return rwyLinesFromRunwaysCsv(path, icao, icao);
}

RunwayLines rwyLinesFromRunwaysCsv(const QString &path, const QString &icao,
                                   const QString &airportIdent) {
    struct Runway {
        long long length;
        QString low;
        QString high;
    };
    RunwayLines result;
    std::vector<Runway> runways;
    const QByteArray ident = airportIdent.trimmed().toUtf8();
    if (ident.isEmpty()) {
        result.problem = QStringLiteral("no airport was named");
        return result;
    }
    const std::optional<QString> problem = scanCsvFile<
        RunwayColumns>(path, [&](const Row<RunwayColumns> &row) {
        if (!fieldEquals(row[RwyAirport], ident))
            return;
        result.airportKnown = true;
        if (fieldEquals(row[RwyClosed], "1"))
            return;
        runways.push_back({lengthFeet(row[RwyLength]), field(row[RwyLow]), field(row[RwyHigh])});
    });
    if (problem) {
        result = RunwayLines();
        result.problem = *problem;
        return result;
    }
    // Longest first, a missing length (-1) last; equal lengths keep the file's order.
    std::stable_sort(runways.begin(), runways.end(),
                     [](const Runway &a, const Runway &b) { return a.length > b.length; });
    const QString code = icao.trimmed().toUpper();
    for (const Runway &runway : runways) {
        for (const QString *end : {&runway.low, &runway.high}) {
            if (const std::optional<QString> usable = usableRunwayEnd(*end)) {
                const QString line = code + QLatin1Char(' ') + *usable + QLatin1Char(' ') + *usable;
                if (!result.lines.contains(line))
                    result.lines.append(line);
            }
        }
    }
    return result;
}

QString icaoLineName(const QString &name, const QString &town) {
    const QString cleanName = cleanText(name);
    const QString cleanTown = cleanText(town);
    if (cleanTown.isEmpty() || containsWords(cleanName, cleanTown))
        return cleanName;
    if (cleanName.isEmpty())
        return cleanTown;
    return cleanTown + QStringLiteral(" | ") + cleanName;
}

IcaoLines icaoLinesFromAirportsCsv(const QString &path) {
    IcaoLines result;
    QHash<QString, Candidate> chosen;
    qsizetype rowNumber = 0;
    const std::optional<QString> problem =
        scanCsvFile<AirportColumns>(path, [&](const Row<AirportColumns> &row) {
            ++rowNumber;
            bool own = false;
            const QString code = airportCode(row, &own);
            if (!isFourLetterCode(code))
                return;
            const QString type = field(row[ApType]);
            if (!isListedType(type))
                return;
            const CandidateRank rank = rankOf(own, type, rowNumber);
            const auto it = chosen.constFind(code);
            if (it != chosen.constEnd() && it->rank <= rank)
                return;
            chosen.insert(code, {rank, field(row[ApName]), field(row[ApTown]), type, {}});
        });
    if (problem) {
        result.problem = *problem;
        return result;
    }
    QStringList codes = chosen.keys();
    std::sort(codes.begin(), codes.end());
    result.lines.reserve(codes.size());
    for (const QString &code : codes) {
        const Candidate &c = chosen[code];
        const QString name = icaoLineName(c.name, c.town);
        result.lines.append(name.isEmpty() ? code : code + QStringLiteral("   ") + name);
    }
    return result;
}

AirportListing airportListing(const QString &path, const QString &icao) {
    AirportListing result;
    const QString wanted = icao.trimmed().toUpper();
    std::optional<Candidate> best;
    qsizetype rowNumber = 0;
    const std::optional<QString> problem =
        scanCsvFile<AirportColumns>(path, [&](const Row<AirportColumns> &row) {
            ++rowNumber;
            bool own = false;
            if (airportCode(row, &own) != wanted)
                return;
            const QString type = field(row[ApType]);
            const CandidateRank rank = rankOf(own, type, rowNumber);
            if (best && best->rank <= rank)
                return;
            best = Candidate{rank, field(row[ApName]), {}, type, field(row[ApIdent])};
        });
    if (problem) {
        result.problem = *problem;
        return result;
    }
    if (best && !wanted.isEmpty()) {
        result.listed = true;
        result.closed = best->type == QLatin1StringView("closed");
        result.name = cleanText(best->name);
        result.ident = best->ident;
    }
    return result;
}

} // namespace tarvos

#include "console/opendata.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace tarvos {

namespace {

// Reads CSV from a device record by record through a buffer of its own of 64 KiB, so that a
// file is never held whole: fields are separated by commas, a field in double quotes may hold
// commas, line ends and "" for one quote, a record ends with LF or CR LF, blank lines are
// skipped. A quote inside an unquoted field is taken as it stands.
class CsvStream {
public:
    enum class Status { Record, End, CutShort, TooLong, ReadError };

    explicit CsvStream(QIODevice &device) : m_device(device), m_chunk(kChunk) {}

    Status next() {
        for (;;) {
            const Status status = readRecord();
            // A blank line is one empty field.
            if (status == Status::Record && m_ends.size() == 1 && m_ends[0] == 0 && m_terminated)
                continue;
            return status;
        }
    }
    std::size_t fieldCount() const { return m_ends.size(); }
    std::string_view field(std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : m_ends[i - 1];
        return std::string_view(m_record).substr(begin, m_ends[i] - begin);
    }
    // The line the last record began on (the first line is 1), and whether a line end closed it.
    qint64 line() const { return m_recordLine; }
    bool terminated() const { return m_terminated; }

private:
    static constexpr qint64 kChunk = 64 * 1024;
    static constexpr std::size_t kMaxRecord = 256 * 1024;

    bool getByte(char &c) {
        if (m_pos == m_size) {
            const qint64 n = m_device.read(m_chunk.data(), kChunk);
            if (n <= 0) {
                m_failed = n < 0;
                return false;
            }
            m_pos = 0;
            m_size = n;
        }
        c = m_chunk[static_cast<std::size_t>(m_pos++)];
        return true;
    }

    void endField() { m_ends.push_back(m_record.size()); }

    Status endRecord() {
        endField();
        ++m_line;
        m_terminated = true;
        return Status::Record;
    }

    Status readRecord() {
        enum class State { Start, Plain, Quoted, AfterQuote };
        m_record.clear();
        m_ends.clear();
        m_recordLine = m_line;
        State state = State::Start;
        bool any = false;
        char c = 0;
        for (;;) {
            if (!getByte(c)) {
                if (m_failed)
                    return Status::ReadError;
                if (state == State::Quoted)
                    return Status::CutShort;
                if (!any)
                    return Status::End;
                endField();
                m_terminated = false;
                return Status::Record;
            }
            any = true;
            if (m_record.size() > kMaxRecord)
                return Status::TooLong;
            switch (state) {
            case State::Start:
                if (c == '"') {
                    state = State::Quoted;
                    break;
                }
                state = State::Plain;
                [[fallthrough]];
            case State::Plain:
                if (c == ',') {
                    endField();
                    state = State::Start;
                } else if (c == '\n') {
                    const std::size_t begin = m_ends.empty() ? 0 : m_ends.back();
                    if (m_record.size() > begin && m_record.back() == '\r')
                        m_record.pop_back();
                    return endRecord();
                } else {
                    m_record += c;
                }
                break;
            case State::Quoted:
                if (c == '"') {
                    state = State::AfterQuote;
                } else {
                    m_line += c == '\n';
                    m_record += c;
                }
                break;
            case State::AfterQuote:
                if (c == '"') {
                    m_record += '"';
                    state = State::Quoted;
                } else if (c == ',') {
                    endField();
                    state = State::Start;
                } else if (c == '\n') {
                    return endRecord();
                } else if (c != '\r') {
                    m_record += c;
                    state = State::Plain;
                }
                break;
            }
        }
    }

    QIODevice &m_device;
    std::vector<char> m_chunk;
    qint64 m_pos = 0;
    qint64 m_size = 0;
    std::string m_record;
    std::vector<std::size_t> m_ends; // where each field of m_record ends
    qint64 m_line = 1;
    qint64 m_recordLine = 0;
    bool m_terminated = true;
    bool m_failed = false;
};

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

// One row's fields in the order of the column list; a column the file lacks is empty.
template <typename Columns> using Row = std::array<std::string_view, Columns::names.size()>;

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Reads every row of the CSV on `device` and hands its fields to `onRow`. Returns the reason
// when the device holds no whole file with these columns: every row as wide as the first line,
// the last one ended by its line end.
template <typename Columns, typename OnRow>
std::optional<QString> scanCsv(QIODevice &device, OnRow &&onRow) {
    constexpr std::size_t count = Columns::names.size();
    constexpr std::size_t absent = std::size_t(-1);
    CsvStream csv(device);
    const auto failure = [&](CsvStream::Status status) -> QString {
        if (status == CsvStream::Status::CutShort)
            return QStringLiteral("the file is cut short");
        if (status == CsvStream::Status::ReadError)
            return QStringLiteral("the file cannot be read");
        return QStringLiteral("line %1 cannot be read").arg(csv.line());
    };
    const CsvStream::Status header = csv.next();
    if (header == CsvStream::Status::End)
        return QStringLiteral("the file is empty");
    if (header != CsvStream::Status::Record)
        return failure(header);
    if (!csv.terminated())
        return failure(CsvStream::Status::CutShort);
    std::array<std::size_t, count> index;
    index.fill(absent);
    for (std::size_t i = 0; i < csv.fieldCount(); ++i) {
        std::string_view name = trimBlanks(csv.field(i));
        if (i == 0 && name.substr(0, 3) == "\xEF\xBB\xBF")
            name.remove_prefix(3);
        for (std::size_t k = 0; k < count; ++k) {
            if (index[k] == absent && name == Columns::names[k])
                index[k] = i;
        }
    }
    for (std::size_t k = 0; k + Columns::optional < count; ++k) {
        if (index[k] == absent)
            return QStringLiteral("the column %1 is missing")
                .arg(QLatin1StringView(Columns::names[k]));
    }
    const std::size_t width = csv.fieldCount();
    Row<Columns> row;
    for (;;) {
        const CsvStream::Status status = csv.next();
        if (status == CsvStream::Status::End)
            return std::nullopt;
        if (status != CsvStream::Status::Record)
            return failure(status);
        // The last row without its line end, or narrower: the file ends too early. A row of
        // another width further up is damage.
        if (!csv.terminated() && csv.fieldCount() <= width)
            return failure(CsvStream::Status::CutShort);
        if (csv.fieldCount() != width || !csv.terminated())
            return failure(CsvStream::Status::TooLong);
        for (std::size_t k = 0; k < count; ++k)
            row[k] = index[k] == absent ? std::string_view() : csv.field(index[k]);
        onRow(row);
    }
}

// Scans the file at `path`, and says so when it is missing or cannot be opened.
template <typename Columns, typename OnRow>
std::optional<QString> scanCsvFile(const QString &path, OnRow &&onRow) {
    QFile file(path);
    if (!file.exists())
        return QStringLiteral("the file is missing");
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("the file cannot be opened");
    return scanCsv<Columns>(file, std::forward<OnRow>(onRow));
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

QString field(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

bool fieldEquals(std::string_view text, std::string_view value) {
    return trimBlanks(text) == value;
}

// The length in feet, or -1 when the field is no number.
long long lengthFeet(std::string_view text) {
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
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (!clean.endsWith(QLatin1Char(' ')))
                clean += QLatin1Char(' ');
        } else if (c == QLatin1Char('|'))
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
    QBuffer buffer;
    buffer.setData(body);
    buffer.open(QIODevice::ReadOnly);
    const auto ignore = [](const auto &) {};
    return file == OpenDataFile::Runways ? scanCsv<RunwayColumns>(buffer, ignore)
                                         : scanCsv<AirportColumns>(buffer, ignore);
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
    return rwyLinesFromRunwaysCsv(path, icao, icao.trimmed().toUpper());
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
    const QByteArray identBytes = airportIdent.trimmed().toUtf8();
    const std::string_view ident(identBytes.constData(), std::size_t(identBytes.size()));
    if (ident.empty()) {
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

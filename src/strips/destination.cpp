#include "strips/destination.h"

#include "console/datadir.h"
#include "console/numbers.h"
#include "strips/striplog.h"

#include <algorithm>

namespace tarvos {

QString aerodromeSearchText(const QString &dest) {
    return dest.left(4).toUpper();
}

QString aerodromeName(const QString &line) {
    return mid1(line, 8);
}

QString rearrangeRemarks(const QString &remarks) {
    const qsizetype bar = remarks.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return remarks;
    const QString second = trimBlanks(remarks.mid(bar + 1));
    // The first part is the text in front of the "|"; the blank before the bar is trimmed
    // with the others, so "Berlin|Tegel" keeps all of "Berlin".
    QString first = trimBlanks(remarks.left(bar));
    if (first == second)
        first.clear();
    return second + QLatin1Char(' ') + first;
}

namespace {

std::uint32_t pairKey(QChar a, QChar b) {
    return (std::uint32_t(a.unicode()) << 16) | std::uint32_t(b.unicode());
}

// Orders the keys by their pair (the upper 32 bits) and keeps, within one pair, the order in which
// the lines were read: two stable counting passes over 16 bits each, linear in the key count.
void sortByPair(std::vector<std::uint64_t> &keys) {
    std::vector<std::uint64_t> buffer(keys.size());
    std::vector<std::size_t> count(0x10001);
    for (const int shift : {32, 48}) {
        std::fill(count.begin(), count.end(), 0);
        for (const std::uint64_t key : keys)
            ++count[((key >> shift) & 0xFFFF) + 1];
        for (std::size_t d = 1; d < count.size(); ++d)
            count[d] += count[d - 1];
        for (const std::uint64_t key : keys)
            buffer[count[(key >> shift) & 0xFFFF]++] = key;
        keys.swap(buffer);
    }
}

} // namespace

AerodromeIndex::AerodromeIndex(const QStringList &lines)
    : m_lineCount(lines.size()), m_firstWithChar(0x10000, -1) {
    // Every (pair, line) occurrence as one 64-bit key, in line order; sorting groups the pairs
    // with each pair's lines still ascending, and dropping repeats leaves each line once a pair.
    std::vector<std::uint64_t> keys;
    qsizetype total = 0;
    for (const QString &line : lines)
        total += std::max<qsizetype>(0, line.size() - 1);
    keys.reserve(static_cast<std::size_t>(total));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString &line = lines[n];
        const int lineNumber = static_cast<int>(n);
        for (qsizetype i = 0; i < line.size(); ++i) {
            int &first = m_firstWithChar[line[i].unicode()];
            if (first < 0)
                first = lineNumber;
            if (i + 1 < line.size())
                keys.push_back((std::uint64_t(pairKey(line[i], line[i + 1])) << 32) |
                               std::uint32_t(lineNumber));
        }
    }
    sortByPair(keys);
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    m_lines.reserve(keys.size());
    for (const std::uint64_t key : keys) {
        const auto pair = std::uint32_t(key >> 32);
        if (m_pairs.empty() || m_pairs.back() != pair) {
            m_pairs.push_back(pair);
            m_offsets.push_back(std::uint32_t(m_lines.size()));
        }
        m_lines.push_back(int(key & 0xFFFFFFFFu));
    }
    m_offsets.push_back(std::uint32_t(m_lines.size()));
}

qsizetype AerodromeIndex::firstLineContaining(const QStringList &lines, const QString &text) const {
    if (m_lineCount == 0 || lines.size() != m_lineCount)
        return -1;
    if (text.isEmpty())
        return 0;
    if (text.size() == 1)
        return m_firstWithChar[text[0].unicode()];
    // The lines of the rarest pair of the text; a line holding the text holds every one of its
    // pairs, so the first of these lines that holds the whole text is the first line of all.
    std::size_t bestBegin = 0;
    std::size_t bestEnd = 0;
    bool found = false;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        const std::uint32_t pair = pairKey(text[i], text[i + 1]);
        const auto it = std::lower_bound(m_pairs.begin(), m_pairs.end(), pair);
        if (it == m_pairs.end() || *it != pair)
            return -1;
        const auto index = static_cast<std::size_t>(it - m_pairs.begin());
        const std::size_t begin = m_offsets[index];
        const std::size_t end = m_offsets[index + 1];
        if (!found || end - begin < bestEnd - bestBegin) {
            bestBegin = begin;
            bestEnd = end;
            found = true;
        }
    }
    for (std::size_t k = bestBegin; k < bestEnd; ++k) {
        const int n = m_lines[k];
        if (lines[n].contains(text))
            return n;
    }
    return -1;
}

DestinationLookup::DestinationLookup(const DataDir &dir) : m_dir(dir) {}

const QStringList *DestinationLookup::currentLines() const {
    DataDir::ReadResult read = m_dir.lines(kAerodromeFileName);
    if (read.status == DataDir::Status::Missing)
        read = m_dir.lines(kAerodromeFileNameLower);
    if (read.status != DataDir::Status::Ok) {
        m_lines.clear();
        m_index = AerodromeIndex();
        m_indexed = false;
        return nullptr;
    }
    // The data directory hands out its cached list while the file is unchanged; a list that
    // shares our copy's storage is the same list, and the index stays valid.
    if (!m_indexed || read.lines.constData() != m_lines.constData() ||
        read.lines.size() != m_lines.size()) {
        m_lines = read.lines;
        m_index = AerodromeIndex(m_lines);
        m_indexed = true;
    }
    return &m_lines;
}

std::optional<QString> DestinationLookup::lookup(const QString &dest) const {
    const QStringList *lines = currentLines();
    if (!lines)
        return std::nullopt;
    const qsizetype n = m_index.firstLineContaining(*lines, aerodromeSearchText(dest));
    if (n < 0)
        return std::nullopt;
    return aerodromeName(lines->at(n));
}

QString DestinationLookup::remarksAfterDestChange(const QString &dest,
                                                  const QString &remarks) const {
    QString result = lookup(dest).value_or(remarks);
    if (dest.isEmpty())
        result.clear();
    return rearrangeRemarks(result);
}

} // namespace tarvos

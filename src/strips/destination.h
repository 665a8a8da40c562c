#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace tarvos {

class DataDir;

// The aerodrome list: ICAO.txt (icao.txt is accepted too on file systems that tell the two
// apart), one aerodrome a line, the code in columns 1 to 4 and the name from column 8. Tarvos
// only reads it; the user supplies it.
inline const QString kAerodromeFileName = QStringLiteral("ICAO.txt");
inline const QString kAerodromeFileNameLower = QStringLiteral("icao.txt");

// The text a Dest field is looked up by: its first 4 characters in capitals.
QString aerodromeSearchText(const QString &dest);

// The name part of a line of the list: from column 8 to the end, empty for a shorter line.
QString aerodromeName(const QString &line);

// A name of the form "first | second" is shown as "second first"; when both parts are equal only
// the second part and one blank remain. A text without "|" is returned unchanged.
QString rearrangeRemarks(const QString &remarks);

// Finds the first line that contains a text, without reading every line on each keystroke: for
// each pair of adjacent characters it keeps, in line order, the lines holding that pair, and only
// the lines of the query's rarest pair are searched. Single characters map straight to their
// first line.
class AerodromeIndex {
public:
    AerodromeIndex() = default;
    explicit AerodromeIndex(const QStringList &lines);

    // Index of the first line containing `text` (case-sensitive), -1 when none does. An empty
    // text matches the first line.
    qsizetype firstLineContaining(const QStringList &lines, const QString &text) const;

private:
    qsizetype m_lineCount = 0;
    std::vector<int> m_firstWithChar;     // 65536 entries, -1 for a character not in the list
    std::vector<std::uint32_t> m_pairs;   // sorted distinct character pairs
    std::vector<std::uint32_t> m_offsets; // m_pairs.size() + 1 offsets into m_lines
    std::vector<int> m_lines;             // line numbers per pair, ascending
};

// The Dest field's lookup and its effect on the Remarks of the same row.
class DestinationLookup {
public:
    explicit DestinationLookup(const DataDir &dir);

    // The name the lookup writes into Remarks for this Dest text, or nothing when no line
    // matches or the list is missing or unreadable (Remarks then keep their text).
    std::optional<QString> lookup(const QString &dest) const;

    // Remarks after a change of Dest: the looked-up name (or the old Remarks when nothing
    // matched), emptied when Dest is empty, then rearranged at its "|".
    QString remarksAfterDestChange(const QString &dest, const QString &remarks) const;

private:
    const QStringList *currentLines() const;

    const DataDir &m_dir;
    mutable QStringList m_lines;
    mutable AerodromeIndex m_index;
    mutable bool m_indexed = false;
};

} // namespace tarvos

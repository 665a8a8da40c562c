#include "network/statustext.h"

#include <algorithm>
#include <optional>

namespace tarvos {

namespace {

bool separatorAt(const QString &text, qsizetype position) {
    return position >= 1 && position <= text.size() && text.at(position - 1) == u':';
}

// The position just after the record's line that holds p: its line end (LF, or the CR of CR LF)
// or one past the text's end.
qsizetype lineEndAfter(const QString &text, qsizetype p) {
    for (qsizetype i = std::max<qsizetype>(p, 1); i <= text.size(); ++i) {
        const QChar c = text.at(i - 1);
        if (c == u'\n' || c == u'\r')
            return i;
    }
    return text.size() + 1;
}

// Field n counted from p within the record's line: where it starts and how long it is, up to
// its own separator or the line end, however long the fields before it. A line with fewer
// fields has none, and no read ever reaches into the next record.
struct FieldSpan {
    qsizetype start = 0;
    qsizetype length = 0;
};
std::optional<FieldSpan> fieldAfter(const QString &text, qsizetype p, int n) {
    const qsizetype end = lineEndAfter(text, p);
    qsizetype start = p + 1;
    for (int count = 0; count < n; ++start) {
        if (start >= end)
            return std::nullopt;
        if (separatorAt(text, start))
            ++count;
    }
    qsizetype stop = start;
    while (stop < end && !separatorAt(text, stop))
        ++stop;
    return FieldSpan{start, stop - start};
}

QString fieldText(const QString &text, qsizetype p, int n) {
    const std::optional<FieldSpan> field = fieldAfter(text, p, n);
    return field ? textAt(text, field->start, field->length) : QString();
}

// Four characters from the start of field n, whatever they are (an empty field gives its
// closing ":" and the start of the next), but never beyond the record's line.
QString fourFrom(const QString &text, qsizetype p, int n) {
    const std::optional<FieldSpan> field = fieldAfter(text, p, n);
    if (!field)
        return {};
    const qsizetype room = lineEndAfter(text, p) - field->start;
    return textAt(text, field->start, std::min<qsizetype>(4, room));
}

} // namespace

qsizetype recordSearch(const QString &text, const QString &key, qsizetype from) {
    if (text.isEmpty() || from < 1 || from > text.size())
        return 0;
    return text.indexOf(key, from - 1) + 1;
}

int separatorScan(const QString &text, qsizetype p, int n, int limit) {
    int count = 0;
    for (int k = 1; k <= limit; ++k) {
        if (p + k > text.size())
            break;
        if (separatorAt(text, p + k) && ++count == n)
            return k;
    }
    return limit + 1;
}

int nextSeparatorScan(const QString &text, qsizetype q, int limit) {
    return separatorScan(text, q, 1, limit);
}

QString textAt(const QString &text, qsizetype position, qsizetype count) {
    if (count <= 0 || position > text.size())
        return {};
    if (position < 1) {
        count -= 1 - position;
        position = 1;
        if (count <= 0)
            return {};
    }
    return text.mid(position - 1, count);
}

QString readDestination(const QString &text, qsizetype p) {
    return fourFrom(text, p, 13);
}

QString readDeparture(const QString &text, qsizetype p) {
    return fourFrom(text, p, 11);
}

QString readRoute(const QString &text, qsizetype p) {
    return fieldText(text, p, 30).left(40);
}

QString readRemarks(const QString &text, qsizetype p) {
    return fieldText(text, p, 29).left(40);
}

QString readCallsign(const QString &text, qsizetype p) {
    return textAt(text, p, nextSeparatorScan(text, p, 50));
}

QString readName(const QString &text, qsizetype p) {
    return fieldText(text, p, 2);
}

QString readFrequency(const QString &text, qsizetype p) {
    return fieldText(text, p, 4);
}

} // namespace tarvos

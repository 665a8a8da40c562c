#include "network/statustext.h"

namespace tarvos {

namespace {

bool separatorAt(const QString &text, qsizetype position) {
    return position >= 1 && position <= text.size() && text.at(position - 1) == u':';
}

// A field between the n-th and the next separator after p, cut to 40 characters.
QString readFreeField(const QString &text, qsizetype p, int n) {
    const int k = separatorScan(text, p, n, 300);
    const int m = nextSeparatorScan(text, p + k, 300);
    return textAt(text, p + k + 1, m - 1).left(40);
}

// The field between the n-th and the (n+1)-th separator after p.
QString readShortField(const QString &text, qsizetype p, int n) {
    const int i = separatorScan(text, p, n, 100);
    const int j = separatorScan(text, p, n + 1, 100);
    // When neither separator is within the limit the count is negative: nothing is read.
    return textAt(text, p + i + 1, j - i - 1);
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
    return textAt(text, p + separatorScan(text, p, 13, 200) + 1, 4);
}

QString readDeparture(const QString &text, qsizetype p) {
    return textAt(text, p + separatorScan(text, p, 11, 300) + 1, 4);
}

QString readRoute(const QString &text, qsizetype p) {
    return readFreeField(text, p, 30);
}

QString readRemarks(const QString &text, qsizetype p) {
    return readFreeField(text, p, 29);
}

QString readCallsign(const QString &text, qsizetype p) {
    return textAt(text, p, nextSeparatorScan(text, p, 50));
}

QString readName(const QString &text, qsizetype p) {
    return readShortField(text, p, 2);
}

QString readFrequency(const QString &text, qsizetype p) {
    return readShortField(text, p, 4);
}

} // namespace tarvos

#pragma once

#include <QString>

// The network status text: one line per connected client, fields separated by ":". Nobody splits
// it into lines or fields; a record is found by plain text search and its fields are reached by
// counting separators from the match. Positions are counted from 1, as the record readers have
// always done, and every read is clipped to the text: a read past the end takes what there is.

namespace tarvos {

// The position of the first occurrence of `key` at or after position `from`, compared
// case-sensitively; 0 when there is none. Not anchored to a line start or a whole field. An empty
// key is found at `from` (as long as the text reaches that far).
qsizetype recordSearch(const QString &text, const QString &key, qsizetype from = 1);

// Counts the ":" at p+1 .. p+limit and returns the offset k at which the count reaches n (the
// n-th separator after p is at p+k); limit+1 when it does not within the limit.
int separatorScan(const QString &text, qsizetype p, int n, int limit);

// The smallest offset m in 1..limit with a ":" at q+m; limit+1 when there is none.
int nextSeparatorScan(const QString &text, qsizetype q, int limit);

// The characters from position `position` (from 1), at most `count`, clipped to the text.
QString textAt(const QString &text, qsizetype position, qsizetype count);

// The reads of a record found at p (p > 0). A field is counted from p within the line that holds
// p and taken whole, up to its own separator or the line end, however long the fields before it
// are (today's flight-plan remarks run to 400 characters); a line with fewer fields reads empty,
// so a read never reaches into the next record. The fixed four-character reads take four
// characters whatever they are: an empty field yields its closing ":" and the start of the next.
QString readDestination(const QString &text, qsizetype p); // field 13, 4 characters
QString readDeparture(const QString &text, qsizetype p);   // field 11, 4 characters
QString readRoute(const QString &text, qsizetype p);       // field 30, at most 40 characters
QString readRemarks(const QString &text, qsizetype p);     // field 29, at most 40 characters
QString readCallsign(const QString &text, qsizetype p);    // from p up to the next ":" (50)
QString readName(const QString &text, qsizetype p);        // field 2
QString readFrequency(const QString &text, qsizetype p);   // field 4

} // namespace tarvos

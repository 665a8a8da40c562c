#pragma once

#include <QString>

namespace tarvos {

// Lenient number conversion used wherever a text is read as a number: leading blanks are
// skipped, an optional sign and digits (with one decimal point) are read, reading stops at the
// first other character, and a text without digits gives 0.
double leadingNumber(const QString &text);
int leadingInt(const QString &text);

// The general print form of a number in captions: a blank in front of a positive number or
// zero, the minus sign in front of a negative one ("Timer" shows " 1: 5").
QString numberText(long long value);

// The same form as written to a data file: one blank follows the number (1 becomes " 1 ").
QString numberLine(long long value);

// Characters from..to of a text counted from 1, clipped to the text (never a read past the end).
QString mid1(const QString &text, int position, int count = -1);

} // namespace tarvos

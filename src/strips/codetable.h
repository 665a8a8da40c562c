#pragma once

#include <QString>
#include <QStringList>

namespace tarvos {

// The layout shared by airlines.txt and shortcut.txt: a three-character code in columns 1 to
// 3, a separator in column 4, and the replacement text from column 5 (blanks around it removed).
struct CodeExpansion {
    QString text;          // the field text after the pass
    bool replaced = false; // at least one line matched
};

// One pass over the table as the field reads it: every line whose first three characters equal
// the first three characters of the field text (case-sensitive) replaces the field text; later
// lines are compared with the replaced text.
CodeExpansion expandCode(const QStringList &table, const QString &fieldText);

} // namespace tarvos

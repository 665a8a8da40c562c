#include "strips/codetable.h"

namespace tarvos {

CodeExpansion expandCode(const QStringList &table, const QString &fieldText) {
    CodeExpansion result{fieldText, false};
    for (const QString &line : table) {
        if (QStringView(line).left(3) == QStringView(result.text).left(3)) {
            result.text = line.mid(4).trimmed();
            result.replaced = true;
        }
    }
    return result;
}

} // namespace tarvos

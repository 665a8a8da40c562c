#include "platform/httptransfer.h"

namespace tarvos {

QString noAnswerFrom(const QUrl &url, const QString &why) {
    const QString host = url.host().isEmpty() ? url.toString() : url.host();
    return QLatin1String("no answer from ") + host + QLatin1String(" (") + why + QLatin1Char(')');
}

} // namespace tarvos

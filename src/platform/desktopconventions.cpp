#include "platform/desktopconventions.h"

#include <QDir>

namespace tarvos {

QString atcClientShortcutFileInWine(const QString &winePrefix, const QString &home) {
    const QString prefix = winePrefix.isEmpty() ? home + QLatin1String("/.wine") : winePrefix;
    return QDir::cleanPath(prefix + QLatin1String("/drive_c/Programme/ProController/shortcut.txt"));
}

QString atcClientShortcutFile() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Programme\\ProController\\shortcut.txt");
#else
    return atcClientShortcutFileInWine(qEnvironmentVariable("WINEPREFIX"), QDir::homePath());
#endif
}

} // namespace tarvos

#pragma once

// Where things lie by convention on the desktop Tarvos is built for.

#include <QString>

namespace tarvos {

// The shortcut file of the ATC client, where its installation puts it: on Windows
// C:\Programme\ProController\shortcut.txt; on Linux the same folder in the Wine prefix that runs
// the client ($WINEPREFIX, else ~/.wine).
QString atcClientShortcutFile();

// The shortcut file in the Wine prefix `winePrefix`, else in `home`/.wine.
QString atcClientShortcutFileInWine(const QString &winePrefix, const QString &home);

} // namespace tarvos

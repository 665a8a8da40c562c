#pragma once

#include "console/datadir.h"
#include "strips/codetable.h"

namespace tarvos {

class MessageBox;

// shortcut.txt with its 37 default SID shortcuts and the message shown when it is created.
const DefaultFile &shortcutFile();

// The lookup of a three-character via text in shortcut.txt. When the file had to be created
// just now, the code stays as typed (the controller has just been told about the new file);
// the next code uses it.
CodeExpansion lookupShortcut(const DataDir &dir, MessageBox &messages, const QString &viaText);

// "sid" or "SID" in the via field opens the SID chart instead; other letter cases do not.
bool isChartWord(const QString &viaText);

} // namespace tarvos

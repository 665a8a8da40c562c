#pragma once

#include "console/datadir.h"

#include <QString>

namespace tarvos {

class MessageBox;

// ils.txt: free text about the ILS of the home airports, shown line by line in the panel.
// Its creation notice is shown in the panel itself rather than in a message box.
DefaultFile ilsDefaultFile();

// The panel text for the file's lines: each line followed by CR LF.
QString ilsPanelText(const QStringList &ilsLines);

// `loadils`: the text of the ILS panel. A missing file is written with its defaults and the
// panel shows the creation notice instead of the file (the next two presses show the file).
// Any other message of the data folder (a folder that cannot be written) goes to `messages`.
QString loadils(const DataDir &dir, MessageBox &messages);

} // namespace tarvos

#pragma once

#include "console/datadir.h"

#include <QString>

namespace tarvos {

// The two frequency lists: freq1.txt behind "ATC" (radar and neighbouring centres, shown in
// Label5) and freq2.txt behind "Con" (towers and grounds, shown in Label7). One entry a line.
DefaultFile freq1DefaultFile();
DefaultFile freq2DefaultFile();

// One press of a list's button. The counter (`atcline`, `conline`) is the line number the
// press shows; 0 shows an empty label. A press past the last line, or on a file that cannot be
// read, empties the label and starts the cycle again, so a list of N lines shows: empty, line
// 1, ..., line N, empty, empty, line 1, ...
struct FrequencyStep {
    QString caption;
    int counter = 0;
    bool createFile = false; // the file is missing: create it with its defaults and message
};

FrequencyStep stepFrequencyList(const DataDir::ReadResult &file, int counter);

} // namespace tarvos

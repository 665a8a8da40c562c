#pragma once

// The journal between the console that is killed and the run that kills it: one line per
// event, each written with one unbuffered write, so that a kill leaves whole lines only.
//   R <board>        the board as the console showed it after its start
//   F <code>         the code of the first "a" after the start
//   A <code>         a code handed out
//   L <callsign>     a strip deleted with "Lö" (its log line is on the disk)
//   B <ms> <board>   the board after an action, at that moment of the monotonic clock
//   M <text>         a message box
// A board is the recovery document of its snapshot, in base64.

#include <chrono>

namespace tarvos::killrun {

inline long long monotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The console's side: starts the console on the folder and drives it until it is killed.
int runChild(int argc, char **argv, const char *dataDir, const char *journal,
             unsigned long long seed);

} // namespace tarvos::killrun

#pragma once

#include <QString>

namespace tarvos {

// The console's window-wide variables, under the names the handlers use, with their start
// values. Start-up sets them again in its own order; nothing here is saved except what
// savesquawk writes to squawk.txt.
struct ConsoleState {
    // Squawk state file (squawk.txt).
    QString startsquawk;       // line 1: the S value
    QString lastsquawk;        // line 2: the L value; after "a" the new next squawk
    QString homeicao = "EDDT"; // line 3
    int atisnumber = 1;        // line 4: 1 = A ... 26 = Z, 27 wraps to A

    // Weather and ATIS.
    QString autoatisicao;   // the airport whose METAR AutoAtis fetches
    QString noaasearchicao; // what the second source's page is cut at; empty until set
    QString lastmetar;      // the last report found (AutoAtis), or the overview's last row
    int autoatisminutes = 0;
    int autoatisfirst = 1;
    QString voicehost;      // voice channel, shown in Label18 and heading the ATIS texts
    int depcontactmode = 0; // closing sentence of the tower ATIS
    QString atisword;       // phonetic word of the current ATIS letter
    QString metartail;      // the last METAR from its 8th character (hour of observation)
    QString rwytext1, rwytext2, rwytext3;

    // Window modes and panels.
    int sepminutes = 0;
    int sepseconds = 0;
    int levelshidden = 1;
    int controllerlistshown = 1;
    int ilspanelshown = 1;
    int showgroundwindow = 1;
    int stripshidden = 1;

    // Frequency lists.
    int atcline = 0;
    int conline = 0;

    // Strips and the command words.
    int groundcheckmode = 2;
    int autosidswitch = 1;
    int commanddone = 0;
    int flightplanlabels = 0; // unset until a command word sets it: counts as not 1

    // Network status.
    QString whazzuptext;   // the last status text (or the update file) as downloaded
    QString lookupkey;     // the key of the last flight-plan lookup
    QString greeting;      // the last greeting sentence put on the clipboard
    QString depsearchcode; // the traffic listing's search code; ":CODE:" after a run
    QString depsearchshown;
    int depsearchpos = 1;
};

} // namespace tarvos

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the network operations of the console answer, as plain functions of the status text and
// their inputs. The controller only carries the answers out: it fetches, reads the body
// (statusTextOf), and writes the fields that are still its own.

namespace tarvos {

// --- Active controllers --------------------------------------------------------------------

inline constexpr auto kControlFileName = "control.txt";
inline constexpr auto kControlFileCreated = "The file control.txt has been created. If you do "
                                            "not control in Berlin, please edit this file.";
inline constexpr auto kGetData = "get data ...";
inline constexpr auto kNoControllers = "There are not controllers activ !";
// Every answer from the feed says this, instead of an empty network, when the status address
// answered with something that is no status feed (an HTML page, a JSON error object).
inline constexpr auto kFeedUnreadable = "The status feed could not be read";

// The positions control.txt starts with: the Berlin airports and radar.
QStringList controlFileDefaults();

// The panel line of one control.txt line: callsign, name and frequency of the first record that
// contains the line in its fields before its ATIS lines, "callsign - name - frequency\r\n";
// empty when the line is not in the text.
// An empty line is skipped (it would match the first record of the text).
QString getcontroller(const QString &statusText, const QString &controlLine);

// What the panel shows after a press that fetched. `downloadFailure` is the transfer's reason
// for a failed download, or kFeedUnreadable (empty when the feed was read): it takes the place
// of the list, which would otherwise claim that nobody is online.
struct ControllerPanel {
    QString text;
    bool hideAfterTwoSeconds = false; // only for the empty list
};
ControllerPanel controllerPanel(const QString &statusText, const QStringList &controlLines,
                                bool controlFileCreated, const QString &downloadFailure);

// --- Flight plan lookup --------------------------------------------------------------------

inline constexpr auto kNothingFound = "nothing found";
inline constexpr auto kNoDeparture = "----";

// The search key of a callsign field: what follows its first blank (a blank at the last
// position does not count), upper-cased. "Condor CFG440" gives CFG440, "dlh123" DLH123.
QString lookupkey(const QString &callsignField);

// `getwhat`: the destination of the key's record. When found, the controller writes
// `destination` into Dest (which runs the destination lookup) and moves the focus to via; then,
// when `emptyDestAndRemarks` (the record's destination field was empty, or the read begins with
// "1"), it empties Dest and Remarks. When not found, Dest and Remarks are emptied and the plan
// fields show "nothing found" and "----" (`planText`, `departure`).
struct WhatAnswer {
    bool found = false;
    QString destination; // four characters as read
    bool emptyDestAndRemarks = true;
    QString planText;  // not found: "nothing found"
    QString departure; // not found: "----"
};
WhatAnswer getwhat(const QString &statusText, const QString &key);

// The text that the flight plan of `key` is read from: the clients online, or, when the key is
// not among them, the plans filed for callsigns not online yet (when it is there).
const QString &flightPlanText(const QString &online, const QString &prefiled, const QString &key);

// `getstrip`: route and remarks of the same record for the plan field ("route\r\nremarks") and
// the departure aerodrome. Not found: nothing changes (nullopt).
struct StripAnswer {
    QString planText;
    QString departure;
};
std::optional<StripAnswer> getstrip(const QString &statusText, const QString &key);

// --- Controlled-count greeting -------------------------------------------------------------

// The callsign of "suchDLH123.": upper-cased, from the fifth character, without the last.
QString greetingKey(const QString &callsignField);

struct Greeting {
    QString key;
    int count = 0;     // log lines that contain the key (a non-empty line for an empty key)
    QString remarks;   // "DLH123 = 5"
    QString clipboard; // the greeting sentence
};
// `logLines` are the lines of log.txt; a missing log is no lines (count 0).
Greeting getaircraft(const QString &callsignField, const QStringList &logLines);

// --- Update check --------------------------------------------------------------------------

inline constexpr auto kOwnVersion = "V7.4";
inline constexpr auto kNoUpdateServer = "The update server did not answer !";

// Whether the first line of a version file is a version: "V" and a digit ("V7.5",
// "V7.4 final"; a small "v" counts too). An error page or an empty answer is none.
bool looksLikeVersion(const QString &versionText);

// The banner after the download of the version file. A failed download, or an answer that is no
// version (an HTML page sent with status 200), says that the server did not answer instead of
// announcing an update named "<!DO".
QString getupd(const QString &versionText, bool downloadOk);

// --- Airport traffic listing ---------------------------------------------------------------

inline constexpr auto kNixDa = "nix da";

// One run of the listing over the status text. `depsearchcode` is the search code as it is
// before the run; the run encloses it in ":" (EDDT becomes :EDDT:), which the controller keeps
// for the next run. Each record that holds the enclosed code gives one line: its first six
// characters, a blank, the code as it was, CR LF. A match whose next field begins "IVAN" is not
// listed. "nix da" when nothing is listed.
struct TrafficListing {
    QString text;
    QString depsearchcode; // the enclosed code after the run
};
TrafficListing trafficListing(const QString &statusText, const QString &depsearchcode);

} // namespace tarvos

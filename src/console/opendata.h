#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvos {

// OurAirports' open data (public domain): runways.csv and airports.csv, CSV files in UTF-8
// whose columns are found by their names in the first line. Every function here reads a file
// or a body once, start to end, keeps only what it returns, and runs off the window's thread.
enum class OpenDataFile { Runways, Airports };
QString openDataFileName(OpenDataFile file); // "runways.csv", "airports.csv"

// Whether a downloaded body may replace the kept copy: std::nullopt when it is whole (every row
// holds as many fields as the first line, the last one ended by its line end) and its first line
// holds every column this console reads; else a short reason for a tooltip: "the answer is
// empty", "the answer is an HTML page", "the file is cut short", "the column le_ident is
// missing", "line 12 cannot be read".
std::optional<QString> openDataBodyProblem(OpenDataFile file, const QByteArray &body);
// The same check of a kept copy on disk ("the file is missing", "the file is empty", ...).
std::optional<QString> openDataFileProblem(OpenDataFile file, const QString &path);

// rwy.txt lines of one airport from runways.csv at `path`, streamed: only that airport's rows
// are kept. One line for each usable end of an open runway (a number 01 to 36 with L, C, R or
// nothing after it), the longest runway first (missing lengths last, equal lengths in the
// file's order), each runway's low end before its high end, each line once.
struct RunwayLines {
    QStringList lines;         // "LEMD 32L 32L", "EDDH 23  23 " (landing = take-off runway)
    bool airportKnown = false; // the file has rows for the airport (even only unusable ones)
    QString problem;           // non-empty when the file could not be read
};
RunwayLines rwyLinesFromRunwaysCsv(const QString &path, const QString &icao);
// The same for an airport whose rows runways.csv files under another ident than its ICAO code
// (the `ident` of its airports.csv row, see AirportListing): the lines carry `icao`.
RunwayLines rwyLinesFromRunwaysCsv(const QString &path, const QString &icao,
                                   const QString &airportIdent);

// The usable runway end an ident of runways.csv names, padded to three characters ("5" and
// "05" give "05 ", "32L" gives "32L"), or nothing for a helicopter end, a water lane, a named
// strip or a number outside 01 to 36.
std::optional<QString> usableRunwayEnd(const QString &ident);

// ICAO.txt from airports.csv at `path`: one line per aerodrome with a four-letter ICAO code
// that is not closed, a heliport or a balloon port, sorted by code. Of several aerodromes with
// one code the line is that of the one whose own record the code is (icao_code, else ident),
// else of the largest kind (large, medium, small airport, seaplane base), else the first.
struct IcaoLines {
    QStringList
        lines; // "EDDH   Hamburg Airport", "UUEE   Moscow | Sheremetyevo International Airport"
    QString problem; // non-empty when the file could not be read
};
IcaoLines icaoLinesFromAirportsCsv(const QString &path);

// The name part of an ICAO.txt line (from column 8): the aerodrome's name, with the town in
// front and a "|" between them where the name does not already hold the town's words (letter
// case, accents and punctuation aside: "Goleniow" is in "Szczecin-Goleniów Airport"). A "|"
// of the data's own becomes "/", control characters are dropped (tabs and line ends become one
// blank), and blanks around the name are trimmed.
QString icaoLineName(const QString &name, const QString &town);

// One airport's listing in airports.csv (streamed), picked as the ICAO.txt line is.
struct AirportListing {
    bool listed = false;
    bool closed = false; // type "closed"
    QString name;
    QString problem;
    QString ident; // its `ident`, under which runways.csv files its runways
};
AirportListing airportListing(const QString &path, const QString &icao);

} // namespace tarvos

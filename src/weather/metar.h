#pragma once

#include "weather/tlfile.h"

#include <QString>

#include <optional>

namespace tarvos {

// The German transition level (transition altitude 5000 ft, the default tl.txt), from the QNH
// in whole hectopascals. Bounds are inclusive (978 is still TL80, 1052 still TL50); above 1052
// there is no level for this altitude and the caption keeps what it shows (nullopt).
std::optional<QString> transitionLevel(int qnh);

// What the weather row shows for a wind or a pressure that the report does not give.
inline constexpr const char *kNoWind = "///";

// One report as its groups say it. Every place of the console that shows weather takes its
// values from here: the weather row, the ATIS texts, the runway choice and the overview. The
// groups are found by their form, not by their column, so "AUTO", "COR", a leading "METAR" or
// "SPECI" word, winds in metres per second and pressures in inches all read right.
struct MetarReport {
    QString station; // "EDDB"
    QString hour;    // "11"
    QString minute;  // "20"
    // The report from the hour of the observation on, without a leading METAR/SPECI word and
    // without a bulletin's end mark "=": "1120Z AUTO 26009KT CAVOK 18/13 Q1016 NOSIG".
    QString tail;

    // The wind: the direction as reported (three characters, "260", "VRB", "000"), the speed and
    // gust in knots written as reports write them ("09"; three digits from 100). A wind that is
    // not reported ("/////KT", or no wind group) shows kNoWind in direction and speed.
    QString direction;
    QString speed;
    std::optional<QString> gust;
    bool windMissing = false;
    // The rest of the report after the wind group ("CAVOK 18/13 Q1016 NOSIG"; with no wind group,
    // everything after the day-time group and the AUTO and correction words).
    QString afterWind;

    // The QNH in whole hectopascals: the first whole "Qdddd" group, else the first "Adddd" (an
    // altimeter in hundredths of an inch) converted. Groups after RMK or in a trend (TEMPO,
    // BECMG) never count. nullopt when the report gives no usable pressure.
    std::optional<int> qnh;

    QString time() const { return hour + QLatin1Char(':') + minute; }
    // The QNH as four digits, as the overview shows it ("0998"); empty without a pressure.
    QString qnhFourDigits() const;
    // The numeric wind direction for the runway choice: VRB and calm count as 0.
    int directionDegrees() const;
};

// Reads a report: an optional "METAR" or "SPECI" word, an optional "COR" (the international
// order), the station (four letters or digits), the day-time group "ddhhmmZ", optional "COR",
// "CCA", "CCB"... (a correction) and "AUTO", then the groups, up to the end of the first line
// (blanks around it and a trailing "=" do not count). nullopt for a text that is no report, and for
// a "NIL" report.
std::optional<MetarReport> readMetar(const QString &text);

// The same for a report's tail as the clipboard and `metartail` keep it ("1120Z AUTO 26009KT
// ..."), which starts with the hour and lacks the station and day.
std::optional<MetarReport> readMetarTail(const QString &tail);

// What one press of "ATIS" (or an AutoAtis download) does with the METAR on the clipboard.
struct MetarDecoding {
    // Always written, also for a text that is no METAR: for a report its tail (see MetarReport),
    // for any other text the text from its 8th character on, as the clipboard always got it. It
    // becomes the clipboard text and `metartail`.
    QString clipboardText;
    QString metartail;

    // False for a text that is no report: the error row (Text1 and Text3 "Err", Text2, Text4
    // and Text5 emptied) and nothing else.
    bool decoded = false;
    // The report gives no usable pressure: Text3 and the level caption are empty, and Text3's
    // tooltip says why.
    bool pressureMissing = false;

    std::optional<QString> text6;  // observation time "hh:mm"
    QString text1;                 // wind direction, or "Err"
    QString text2;                 // wind speed in knots, or empty
    QString text3;                 // QNH without a leading zero, empty, or "Err"
    std::optional<QString> text4;  // landing runway: emptied by the error row only
    std::optional<QString> text5;  // take-off runway: emptied by the error row only
    std::optional<QString> label2; // transition level caption; nullopt keeps it
    // Label2's tooltip and accessible description: the transition altitude of the level, or that
    // tl.txt has none for the station. Written with every decoded report.
    QString label2ToolTip;
    QString label2Description;

    // A decoded report is copied to the mini window (fields Text1..Text6, the letter and the
    // captions); the error row is not.
    bool refreshMiniWindow() const { return decoded; }
};

// The decoding itself, the level from the table of tl.txt. Stopping the AutoAtis minute timer
// and turning the lamp red are the caller's part; they happen on every decoding.
MetarDecoding decodeMetar(const QString &clipboardText, const TlTable &tl = defaultTlTable());

// The tooltip of the QNH field when the report gives no pressure.
QString noPressureToolTip();

} // namespace tarvos

#pragma once

#include <QString>

#include <optional>

namespace tarvos {

// The transition level for a transition altitude of 5000 ft, from the QNH in whole hectopascals.
// Bounds are inclusive (978 is still TL80, 1052 still TL50); above 1052 there is no level
// for this altitude and the caption keeps what it shows (nullopt).
std::optional<QString> transitionLevel(int qnh);

// What one press of "ATIS" (or an AutoAtis download) does with the METAR on the clipboard. The
// decoding is by position, so a report must start "EDDT 071220Z 26010KT": the station, a blank,
// day, hour and minute, "Z", a blank and the wind group. Every field that changes has a value;
// a nullopt field keeps its previous content.
struct MetarDecoding {
    // Always written, also for a text that is no METAR: the METAR from its 8th character on
    // (station and day cut off). It becomes the clipboard text and `metartail`.
    QString clipboardText;
    QString metartail;

    // False when character 12 is not "Z": the error row (Text1 and Text3 "Err", Text2, Text4
    // and Text5 emptied) and nothing else.
    bool decoded = false;

    std::optional<QString> text6;  // observation time "hh:mm"
    QString text1;                 // wind direction, 3 characters as in the report, or "Err"
    QString text2;                 // wind speed, 2 characters, or empty
    std::optional<QString> text3;  // QNH without a leading zero; nullopt when the report has no Q
    std::optional<QString> text4;  // landing runway: emptied by the error row only
    std::optional<QString> text5;  // take-off runway: emptied by the error row only
    std::optional<QString> label2; // transition level caption

    // A decoded report is copied to the mini window (fields Text1..Text6, the letter and the
    // captions); the error row is not.
    bool refreshMiniWindow() const { return decoded; }
};

// The decoding itself. `previousText3` is the QNH field as it is now: a report without a "Q"
// (an altimeter in inches such as A2992) keeps it, and the transition level is taken from it.
// Stopping the AutoAtis minute timer and turning the lamp red are the caller's part; they
// happen on every decoding.
MetarDecoding decodeMetar(const QString &clipboardText, const QString &previousText3);

} // namespace tarvos

#pragma once

#include <QString>

namespace tarvos {

// The texts the strip fields prepare for the clipboard and the Remarks of a landing.

// Entering a callsign field asks the approach controller for a release:
// "APP! Request release CFG440 via BRANE1L DEP, IC=4000ft."
QString releaseRequestText(const QString &callsign, const QString &via,
                           const QString &initialClimb);

// Entering a Remarks field offers the address that the "ip?" word wrote there.
QString ipSentence(const QString &remarks);

// A double click on Remarks marks a landing on the landing runway.
QString landingRemarks(const QString &landingRunway);

} // namespace tarvos

#pragma once

#include "console/datadir.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvos {

// atis.txt: the texts of TWR and APP, one line each, fields separated by "|" and taken exactly
// as written (blanks included). A line whose first field is none of the keys is a comment:
//   TWR|airport|runway|channel|intro|line|line...   a tower ATIS: the channel follows the voice
//                                                   host, the intro the letter's word, each
//                                                   further field is one runway line
//   APP|channel                                     the approach position's channel
//   APP-RWY|runway|line|line...                     the airport lines of APP
//   DEP|sentence                                    the immediate-contact sentence
// Written with the Berlin texts when it is missing.
DefaultFile atisDefaultFile();

struct TowerAtisLine {
    QString airport, runway, channel, intro;
    QStringList runwayLines;
};

struct ApproachAtisLine {
    QString runway;
    QStringList airportLines;
};

struct AtisTable {
    QList<TowerAtisLine> tower;
    QList<ApproachAtisLine> approach;
    QString approachChannel;   // of the last APP line; empty without one
    QString departureSentence; // of the last DEP line; empty without one
};

// The lines of atis.txt as a table. A TWR line needs its fields up to the intro and an APP-RWY
// line its runway; shorter ones are not used. APP and DEP take the rest of the line after the
// key, "|" included.
AtisTable readAtisTable(const QStringList &lines);

// The table of the default file, read once.
const AtisTable &defaultAtisTable();

// The line for the landing runway `text4`: of the lines whose runway `text4` starts with (and,
// for the tower, whose airport equals `airport` exactly), the one with the longest runway, and
// of equally long ones the last in the file. nullptr when none applies.
const TowerAtisLine *chooseTowerAtis(const AtisTable &table, const QString &airport,
                                     const QString &text4);
const ApproachAtisLine *chooseApproachAtis(const AtisTable &table, const QString &text4);

} // namespace tarvos

// The answers of the network operations: controller list, flight plan, greeting, update banner
// and traffic listing, over status texts in the record layout.
#include "network/answers.h"

#include "fakes/qtprint.h"
#include "records.h"

#include <gtest/gtest.h>

using namespace tarvos;
using tarvos::testing::atc;
using tarvos::testing::pilot;
using tarvos::testing::record;

namespace {

QString lines(const QStringList &records) {
    return records.join(u'\n') + u'\n';
}

TEST(ControllerList, ListsControlFileOrderFirstMatchOnly) {
    const QString text = lines({pilot("DLH1", "EDDT", "EDDM"), atc("EDBB_1_APP", "Anna", "119.625"),
                                atc("EDBB_APP", "Ben", "126.425"), atc("EDBB_APP", "Bea", "1")});
    QStringList control = controlFileDefaults();
    ASSERT_EQ(control.size(), 13);
    EXPECT_EQ(control.first(), "EDDT_GND");
    EXPECT_EQ(control.last(), "EDBB_OBS");
    control << ""
            << "EDDT" << QString(1 << 20, u'x') << QString::fromLatin1("\x01\xff\x7f", 3);

    const ControllerPanel panel = controllerPanel(text, control, false, QString());
    EXPECT_EQ(panel.text, "EDBB_APP - Ben - 126.425\r\n"
                          "EDBB_1_APP - Anna - 119.625\r\n"
                          "EDDT - EDDM - \r\n"); // EDDT first occurs in DLH1's departure field
    EXPECT_FALSE(panel.hideAfterTwoSeconds);
    EXPECT_EQ(getcontroller(text, ""), ""); // an empty line lists nothing
}

TEST(ControllerList, PanelTexts) {
    const QString text = lines({atc("EDDT_TWR", "Tom", "119.400")});
    struct Row {
        QString status;
        QStringList control;
        bool created;
        QString failure;
        QString expected;
        bool hides;
    } rows[] = {
        {text, {"EDDT_TWR"}, false, "", "EDDT_TWR - Tom - 119.400\r\n", false},
        {text, {"EDDB_TWR"}, false, "", kNoControllers, true},
        {text, {}, false, "", kNoControllers, true},
        {"", controlFileDefaults(), false, "", kNoControllers, true},
        {text, controlFileDefaults(), true, "", kControlFileCreated, false},
        {"", controlFileDefaults(), false, "no answer from api.ivao.aero (time-out)",
         "no answer from api.ivao.aero (time-out)", false},
    };
    for (const Row &r : rows) {
        const ControllerPanel panel = controllerPanel(r.status, r.control, r.created, r.failure);
        EXPECT_EQ(panel.text, r.expected);
        EXPECT_EQ(panel.hideAfterTwoSeconds, r.hides) << qPrintable(r.expected);
    }
}

TEST(FlightPlan, LookupKey) {
    struct Row {
        const char *field, *key;
    } rows[] = {
        {"dlh123", "DLH123"},
        {"Condor CFG440", "CFG440"},
        {"Air Berlin BER123", "BERLIN BER123"},
        {"DLH123 ", "DLH123 "}, // a blank at the end does not split
        {" x", "X"},
        {" ", " "},
    };
    for (const Row &r : rows)
        EXPECT_EQ(lookupkey(r.field), r.key) << r.field;
}

TEST(FlightPlan, Answers) {
    const QString route55 = QString("DCT ").repeated(13) + "XYZ";
    const QString text = lines(
        {atc("EDDT_TWR", "Tom", "119.400"), pilot("DLH123", "EDDT", "EDDM", "MARUN Y210", "RMK/A"),
         pilot("DLH12", "EDDB", "", route55, ""), pilot("BER1", "EDDT", "1234")});
    struct Row {
        QString key;
        bool found;
        QString destination;
        bool empties;
        QString plan, departure;
    } rows[] = {
        {"DLH12", true, "EDDM", false, "MARUN Y210\r\nRMK/A", "EDDT"},
        {"DLH12:", true, ":ZZZ", true, route55.left(40) + "\r\n", "EDDB"},
        {"BER1", true, "1234", true, "\r\n", "EDDT"},
        // A controller: no flight plan, the destination read starts with ":".
        {"EDDT_TWR", true, "::::", true, "\r\n", ":LVL"},
        {"DLH999", false, "", true, kNothingFound, kNoDeparture},
        {"DLH12 ", false, "", true, kNothingFound, kNoDeparture},
    };
    for (const Row &r : rows) {
        const WhatAnswer what = getwhat(text, r.key);
        EXPECT_EQ(what.found, r.found) << r.key;
        EXPECT_EQ(what.destination, r.destination) << r.key;
        EXPECT_EQ(what.emptyDestAndRemarks, r.empties) << r.key;
        const std::optional<StripAnswer> strip = getstrip(text, r.key);
        ASSERT_EQ(strip.has_value(), r.found) << r.key;
        EXPECT_EQ(strip ? strip->planText : what.planText, r.plan) << r.key;
        EXPECT_EQ(strip ? strip->departure : what.departure, r.departure) << r.key;
    }
    // An empty status text (a failed download) finds nothing.
    EXPECT_EQ(getwhat(QString(), "DLH12").planText, kNothingFound);
}

TEST(Greeting, CountsLogLinesThatHoldTheKey) {
    const QStringList log = {"04.01.23 16:04 DLH123 EDDM", "04.01.23 16:10 DLH12 EDDF",
                             "05.01.23 09:00 DLH123 EDDM DLH123", "", "05.01.23 dlh123 lower"};
    struct Row {
        const char *field;
        QStringList log;
        int count;
        const char *remarks;
    } rows[] = {
        {"suchDLH123.", log, 2, "DLH123 = 2"},
        {"suchdlh123.", log, 2, "DLH123 = 2"},
        {"suchDLH12.", log, 3, "DLH12 = 3"},
        {"such.", log, 4, " = 4"}, // an empty key counts every non-empty line
        {"suchDLH123.", {}, 0, "DLH123 = 0"},
        {"such", log, 4, " = 4"},
    };
    for (const Row &r : rows) {
        const Greeting g = getaircraft(r.field, r.log);
        EXPECT_EQ(g.count, r.count) << r.field;
        EXPECT_EQ(g.remarks, r.remarks) << r.field;
    }
    EXPECT_EQ(getaircraft("suchDLH123.", {}).clipboard,
              "I've controlled you 0 times, since Nov-2002, with your current callsign !!!");
    EXPECT_EQ(getaircraft("suchDLH123.", log).clipboard,
              "I've controlled you 2 times, since Nov-2002, with your current callsign !!!");
}

TEST(UpdateCheck, Banner) {
    struct Row {
        const char *body;
        bool ok;
        const char *banner;
    } rows[] = {
        {"V7.4 final", true, "No, there is no new version !"},
        {"V7.4", true, "No, there is no new version !"},
        {"V7.3\r\n", true, "Yes, the update V7.3 is available !"},
        {"v7.5", true, "Yes, the update v7.5 is available !"},
        {"V7", true, "Yes, the update V7 is available !"},
        {"", true, kNoUpdateServer},
        {" \r\n", true, kNoUpdateServer},
        {"", false, kNoUpdateServer},
        // A page sent with status 200 is no version.
        {"<!DOCTYPE html>\n<html><body>404</body></html>", true, kNoUpdateServer},
        {"Version 7.5", true, kNoUpdateServer},
    };
    for (const Row &r : rows)
        EXPECT_EQ(getupd(r.body, r.ok), r.banner) << r.body;
}

TEST(TrafficListing, ListsEveryRecordThatHoldsTheCode) {
    const QString ivan = record({{0, "IVN001"}, {11, "EDDT"}, {12, "IVAN-SPECIAL"}});
    const QString text =
        lines({pilot("DLH1234", "EDDT", "EDDM"), pilot("BER7", "LEPA", "EDDT"),
               pilot("AFR1", "LFPG", "EDDM"), ivan, pilot("EZY9", "EDDT", "EDDT")});
    const TrafficListing first = trafficListing(text, "EDDT");
    EXPECT_EQ(first.text, "DLH123 EDDT\r\nBER7:1 EDDT\r\nEZY9:1 EDDT\r\nEZY9:1 EDDT\r\n");
    EXPECT_EQ(first.depsearchcode, ":EDDT:");
    // A second run without a new code searches for the doubly enclosed code.
    const TrafficListing second = trafficListing(text, first.depsearchcode);
    EXPECT_EQ(second.text, kNixDa);
    EXPECT_EQ(second.depsearchcode, "::EDDT::");
    EXPECT_EQ(trafficListing(text, "LOWW").text, kNixDa);
    EXPECT_EQ(trafficListing(QString(), "EDDT").text, kNixDa);
}

TEST(TrafficListing, LineStartRules) {
    // A match in the first line starts the line at the text's first character.
    EXPECT_EQ(trafficListing("AB:EDDT:x", "EDDT").text, "AB:EDD EDDT\r\n");
    EXPECT_EQ(trafficListing(":EDDT:", "EDDT").text, ":EDDT: EDDT\r\n");
    // The line start is found however far back it lies (a long flight plan before the code).
    const QString longLine = "\nCALLSN" + QString(400, u'x') + ":EDDT:";
    EXPECT_EQ(trafficListing(longLine, "EDDT").text, "CALLSN EDDT\r\n");
}

} // namespace

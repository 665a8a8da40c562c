// TWR and APP with atis.txt for an airport other than Berlin, and what they say without a line.
#include "fakes/consolefixture.h"

using namespace tarvos;
using namespace tarvos::testing;

namespace {

const QString kNormalTip = "Bereitet den ATIS für den Pro-Controller vor";

class AtisWidgetsTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        start();
        console->state().voicehost = "V";
    }
    bool confirming() { return !form().Label19->isHidden(); }
};

} // namespace

TEST_F(AtisWidgetsTest, TowerAtisOfFrankfurtAndATwrWithoutALine) {
    Form1 &f = form();
    f.Text4->setText("26R");
    f.Command10->click(); // a fresh folder: atis.txt is created, the press goes on with it
    EXPECT_EQ(fake.messages.shown, QStringList{"The file atis.txt has been created. If you do not "
                                               "control in Berlin, please edit this file."});
    EXPECT_TRUE(fake.clipboard.text().startsWith("V/EDDT_TWR\r\nThis is Berlin Tegel"));
    EXPECT_TRUE(fileBytes(dataPath("atis.txt"))
                    .contains("\r\nTWR|EDDB|0|/EDDB_TWR|This is Berlin Sch\xf6nefeld Information "
                              "|RWY 07R for landing and take-off.\r\n"));

    writeFile(dataPath("atis.txt"), "TWR|EDDF|25|/EDDF_TWR|This is Frankfurt Information |RWY "
                                    "25C for landing.\r\nDEP|Contact Langen Radar on 120.80 !\r\n");
    fake.clipboard.m_text = "EDDF 180750Z 19010KT 4800 -DZ BKN003 OVC004 08/08 Q1013 BECMG 6000";
    f.Command18->click();
    f.Label8->setText("EDDF");
    f.Text18->setText("D");
    console->state().depcontactmode = 1;
    const struct {
        const char *text4;
        bool found;
    } presses[] = {{"25C", true}, {"07C", false}, {"25L", true}};
    for (const auto &p : presses) {
        f.Text4->setText(p.text4);
        const int sets = fake.clipboard.sets;
        f.Command10->click();
        const QString clip = fake.clipboard.text();
        EXPECT_EQ(fake.clipboard.sets, sets + (p.found ? 1 : 0)) << p.text4;
        EXPECT_EQ(confirming(), p.found) << "OK only with the text on the clipboard";
        const QString why = p.found ? QString()
                                    : "atis.txt has no tower ATIS (TWR line) for EDDF runway " +
                                          QString(p.text4) + ": TWR left the clipboard as it was.";
        EXPECT_EQ(f.Command10->toolTip(), p.found ? kNormalTip : why);
        EXPECT_EQ(f.Command10->accessibleDescription(), why);
        if (!p.found)
            continue;
        EXPECT_TRUE(clip.startsWith("V/EDDF_TWR\r\nThis is Frankfurt Information Delta\r\n"
                                    "Time 0750 Zulu.\r\nRWY 25C for landing.\r\nTL60\r\n"
                                    "Wind is 190 at 10 4800 -DZ"))
            << clip;
        EXPECT_TRUE(clip.endsWith("GND.\r\nContact Langen Radar on 120.80 !\r\nDelta - OUT."));
    }
}

TEST_F(AtisWidgetsTest, ApproachInformationOfFrankfurtAndWithoutAirportLines) {
    writeFile(dataPath("atis.txt"), "APP|/EDDF_APP\r\nAPP-RWY|25|EDDF RWY 25L/25C APP 25C/18 "
                                    "DEP|EDFE RWY 27 APP/DEP\r\n");
    Form1 &f = form();
    f.Text18->setText("D");
    f.Text6->setText("07:50");
    f.Label2->setText("TL60");
    const QString head = "V/EDDF_APP\r\nInformation Delta 0750 Z\r\n"
                         "Inform that you have initial contact.\r\n";
    f.Text4->setText("25C");
    f.Command37->click();
    EXPECT_EQ(fake.clipboard.text(), head + "EDDF RWY 25L/25C APP 25C/18 DEP\r\nEDFE RWY 27 "
                                            "APP/DEP\r\nTL60, See local ATIS or ACARS.");

    f.Text4->setText("07C");
    f.Command37->click();
    EXPECT_EQ(fake.clipboard.text(), head);
    EXPECT_EQ(f.Command37->accessibleDescription(),
              "atis.txt has no APP-RWY line for runway 07C: APP put only its first three lines "
              "on the clipboard.");
    EXPECT_TRUE(fake.messages.shown.isEmpty());
}

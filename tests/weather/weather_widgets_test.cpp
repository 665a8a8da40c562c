#include "console/form2.h"
#include "fakes/consolefixture.h"
#include "weather/metar.h"
#include "weather/weathercontroller.h"

#include <QApplication>
#include <QTest>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

const QString kTegel = "EDDT 071220Z 26010KT CAVOK 05/02 Q1013 NOSIG";

class WeatherWidgetsTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        start();
        console->state().voicehost = "V";
    }
    WeatherController &weather() { return console->weather(); }
    void atis(const QString &clipboard) {
        fake.clipboard.m_text = clipboard;
        form().Command18->click();
    }
    QStringList row() {
        Form1 &f = form();
        return {f.Text1->text(), f.Text2->text(), f.Text3->text(), f.Text4->text(),
                f.Text5->text(), f.Text6->text(), f.Label2->text()};
    }
    bool confirming() { return form().Label18->isHidden() && !form().Label19->isHidden(); }
};

} // namespace

TEST_F(WeatherWidgetsTest, AtisButtonDecodesTheClipboardIntoTheRowAndAHiddenMiniWindow) {
    Form1 &f = form();
    f.Text4->setText("26R");
    f.Text5->setText("26L");
    f.Label5->setText("APP 119.62");
    f.Label7->setText("TXL TWR 124.52");
    f.Text18->setText("C");
    ASSERT_TRUE(f.Timer2->isActive());
    ASSERT_FALSE(console->hasForm2());

    atis(kTegel);

    EXPECT_FALSE(f.Timer2->isActive());
    EXPECT_EQ(f.Shape1->fillColour(), 255);
    EXPECT_EQ(fake.clipboard.text(), "1220Z 26010KT CAVOK 05/02 Q1013 NOSIG");
    EXPECT_EQ(fake.clipboard.clears, 1);
    EXPECT_EQ(console->state().metartail, fake.clipboard.text());
    EXPECT_EQ(row(), QStringList({"260", "10", "1013", "26R", "26L", "12:20", "TL60"}))
        << "decoding by hand keeps the runways";

    ASSERT_TRUE(console->hasForm2());
    Form2 &mini = console->form2();
    EXPECT_TRUE(mini.isHidden());
    const QStringList copied = {mini.Text1->text(),  mini.Text2->text(),  mini.Text3->text(),
                                mini.Text4->text(),  mini.Text5->text(),  mini.Text6->text(),
                                mini.Text7->text(),  mini.Label1->text(), mini.Label2->text(),
                                mini.Label3->text(), mini.Label4->text()};
    EXPECT_EQ(copied, QStringList({"260", "10", "1013", "26R", "26L", "12:20", "C", "TL60",
                                   "APP 119.62", "TXL TWR 124.52", "EDDT"}));
}

TEST_F(WeatherWidgetsTest, ErrorRowAndReportsWithoutQnh) {
    Form1 &f = form();
    f.Text4->setText("08L");
    f.Text5->setText("08R");
    // Each report after the one before; `noQnh`: the QNH field's tooltip says the report gives
    // none, and neither the field nor the level shows the airport before's.
    const struct {
        const char *clipboard, *tail;
        QStringList row;
        const char *miniWind;
        bool noQnh;
    } steps[] = {
        {"EDDT 071220Z 27012KT CAVOK Q0998",
         "1220Z 27012KT CAVOK Q0998",
         {"270", "12", "998", "08L", "08R", "12:20", "TL70"},
         "270",
         false},
        {"EDDT 071250Z VRB03KT 9999 A2992",
         "1250Z VRB03KT 9999 A2992",
         {"VRB", "03", "1013", "08L", "08R", "12:50", "TL60"},
         "VRB",
         false},
        {"METAR EDDT 071220Z 26010KT Q1013",
         "1220Z 26010KT Q1013",
         {"260", "10", "1013", "08L", "08R", "12:20", "TL60"},
         "260",
         false},
        {"", "", {"Err", "", "Err", "", "", "12:20", "TL60"}, "260", false},
        // Real reports: an American one without pressure, then one in inches with a gust.
        {"KEHA 180748Z AUTO 33005KT M01/M04 RMK AO1 PK WND 12 000 T10061038",
         "0748Z AUTO 33005KT M01/M04 RMK AO1 PK WND 12 000 T10061038",
         {"330", "05", "", "", "", "07:48", ""},
         "330",
         true},
        {"KJFK 180751Z 29011G19KT 10SM OVC042 05/M04 A2991 RMK AO2 SLP129 T00501039",
         "0751Z 29011G19KT 10SM OVC042 05/M04 A2991 RMK AO2 SLP129 T00501039",
         {"290", "11", "1013", "", "", "07:51", ""}, // tl.txt has no level for KJFK
         "290",
         false},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.clipboard);
        f.Timer2->start();
        f.Shape1->setFillColour(kBrightGreen);
        atis(s.clipboard);
        EXPECT_EQ(fake.clipboard.text(), s.tail);
        EXPECT_EQ(console->state().metartail, s.tail);
        EXPECT_EQ(row(), s.row);
        EXPECT_EQ(console->form2().Text1->text(), s.miniWind) << "the error row is not copied";
        EXPECT_EQ(f.Text3->toolTip() == noPressureToolTip(), s.noQnh);
        EXPECT_FALSE(f.Timer2->isActive());
        EXPECT_EQ(f.Shape1->fillColour(), 255);
    }
}

TEST_F(WeatherWidgetsTest, LetterFieldShowsCapitalsAndSetsTheWord) {
    Form1 &f = form();
    const struct {
        const char *typed, *shown, *word;
        int atisnumber;
    } cases[] = {{"m", "M", "Mike", 14}, {"Z", "Z", "Zulu", 27}, {"c", "C", "Charlie", 4}};
    for (const auto &c : cases) {
        QTest::mouseDClick(f.Text18, Qt::LeftButton);
        ASSERT_EQ(f.Text18->text(), "") << "a double click empties the letter";
        QTest::keyClicks(f.Text18, c.typed);
        EXPECT_EQ(f.Text18->text(), c.shown);
        EXPECT_EQ(console->state().atisword, c.word);
        EXPECT_EQ(console->state().atisnumber, c.atisnumber);
    }
}

TEST_F(WeatherWidgetsTest, TowerAtisOfTheExampleByteForByteWithConfirmation) {
    Form1 &f = form();
    f.show();
    QApplication::setActiveWindow(&f);
    atis(kTegel);
    f.Label8->setText("EDDT");
    f.Text4->setText("08L");
    f.Label2->setText("TL70");
    f.Text18->setText("b");
    f.Timer6->setInterval(5);
    const int clears = fake.clipboard.clears;

    f.Command10->click();

    EXPECT_EQ(fake.clipboard.text(), "V/EDDT_TWR\r\n"
                                     "This is Berlin Tegel Information Bravo\r\n"
                                     "Time 1220 Zulu.\r\n"
                                     "Expect ILS RWY 08L approach, take-off on request.\r\n"
                                     "RWY 08R for take-off.\r\n"
                                     "TL70\r\n"
                                     "Wind is 260 at 10 CAVOK 05/02 Q1013 NOSIG\r\n"
                                     "NOTAM! Please set mode -standby- on GND.\r\n"
                                     "Advice that you have received information Bravo - OUT.");
    EXPECT_EQ(fake.clipboard.clears, clears + 1);
    EXPECT_TRUE(confirming());
    EXPECT_TRUE(f.Timer6->isActive());
    EXPECT_EQ(f.Timer6->interval(), 1000);
    EXPECT_TRUE(f.Command8->hasFocus());

    tick(f.Timer6);
    EXPECT_FALSE(confirming());
    EXPECT_FALSE(f.Label18->isHidden());
    EXPECT_FALSE(f.Timer6->isActive());

    // No tower ATIS for the airport: no OK, the clipboard keeps its text.
    f.Label8->setText("ETNL");
    f.Command10->click();
    EXPECT_FALSE(confirming());
    EXPECT_EQ(fake.clipboard.clears, clears + 1);
    EXPECT_TRUE(fake.clipboard.text().startsWith("V/EDDT_TWR"));
}

TEST_F(WeatherWidgetsTest, ApproachInformationWithAndWithoutADecodedTime) {
    Form1 &f = form();
    f.Text18->setText("B");
    const QString head = "V/EDBB_APP\r\nInformation Bravo %1 Z\r\n"
                         "Inform that you have initial contact.\r\n";

    f.Command37->click();
    EXPECT_EQ(fake.clipboard.text(), head.arg("EDDT")) << "Text6 still holds the ICAO code";
    EXPECT_TRUE(confirming());
    EXPECT_TRUE(f.Timer6->isActive());

    atis(kTegel);
    f.Text4->setText("26R");
    f.Command37->click();
    EXPECT_EQ(fake.clipboard.text(), head.arg("1220") +
                                         "EDDT RWY 26R APP 26L DEP\r\nEDDI RWY 27L APP/DEP\r\n"
                                         "EDDB RWY 25L APP/DEP\r\nTL60, See local ATIS or ACARS.");
}

TEST_F(WeatherWidgetsTest, LetterResetShowsAAnnouncesAlphaAndLeavesNumberOne) {
    Form1 &f = form();
    atis(kTegel);
    f.Text4->setText("26R");
    f.Text18->setText("K");

    QTest::mouseDClick(f.Label17, Qt::LeftButton);

    EXPECT_EQ(f.Text18->text(), "A");
    EXPECT_EQ(console->state().atisword, "Alpha");
    EXPECT_EQ(console->state().atisnumber, 1);
    EXPECT_TRUE(fake.clipboard.text().startsWith(
        "V/EDDT_TWR\r\nThis is Berlin Tegel Information Alpha\r\n"));
    EXPECT_TRUE(fake.clipboard.text().endsWith("information Alpha - OUT."));
    EXPECT_TRUE(confirming());
    EXPECT_TRUE(f.Timer6->isActive());
}

TEST_F(WeatherWidgetsTest, LoadrwyCreatesTheTableOnceThenChoosesByTheWind) {
    Form1 &f = form();
    f.Text4->setText("xx");
    f.Text5->setText("yy");
    f.Text1->setText("260");
    weather().loadrwy();
    EXPECT_TRUE(QFile::exists(dataPath("rwy.txt")));
    EXPECT_EQ(fake.messages.shown,
              QStringList({"the  file rwy.txt has been createt. If you do not controll in "
                           "Berlin, please edit this file with a normal editor."}));
    EXPECT_EQ(f.Text4->text() + f.Text5->text(), "xxyy") << "nothing chosen while creating";

    const struct {
        const char *station, *wind, *landing, *takeoff;
    } cases[] = {{"EDDT", "260", "26R", "26L"},
                 {"EDDT", "VRB", "08L", "08R"},
                 {"EDDI", "180", "27L", "27L"},
                 {"ETNL", "100", "10 ", "10 "},
                 {"EDDF", "250", "10 ", "10 "}};
    for (const auto &c : cases) {
        f.Label8->setText(c.station);
        f.Text1->setText(c.wind);
        weather().loadrwy();
        EXPECT_EQ(f.Text4->text(), c.landing) << c.station << c.wind;
        EXPECT_EQ(f.Text5->text(), c.takeoff) << c.station << c.wind;
    }
    EXPECT_EQ(fake.messages.shown.size(), 1);
}

TEST_F(WeatherWidgetsTest, IlsPanelPressesTimerAndDoubleClick) {
    Form1 &f = form();
    ConsoleState &s = console->state();
    const auto shown = [&] { return Form1::topTwipsOf(f.Text21) == 0; };

    f.Command6->click();
    EXPECT_TRUE(shown());
    EXPECT_EQ(s.ilspanelshown, 0);
    EXPECT_TRUE(f.Text21->text().startsWith("Es wurde die Datei ils.txt erstellt."));
    EXPECT_TRUE(QFile::exists(dataPath("ils.txt")));
    EXPECT_TRUE(fake.messages.shown.isEmpty()) << "the notice is in the panel, not in a box";

    f.Command6->click();
    EXPECT_EQ(Form1::topTwipsOf(f.Text21), 6480);
    EXPECT_EQ(s.ilspanelshown, 1);
    writeFile(dataPath("ils.txt"), "Tegel:\r\nILS 08L / 109.10\r\n");
    f.Command6->click();
    EXPECT_TRUE(shown());
    EXPECT_EQ(f.Text21->text(), "Tegel:\r\nILS 08L / 109.10\r\n");

    s.controllerlistshown = 0;
    f.Timer4->start();
    tick(f.Timer4);
    EXPECT_EQ(Form1::topTwipsOf(f.Text21), 6480);
    EXPECT_EQ(s.ilspanelshown, 1);
    EXPECT_EQ(s.controllerlistshown, 1);
    EXPECT_FALSE(f.Timer4->isActive());

    f.Command6->click();
    ASSERT_TRUE(shown()) << "after the tick the next press shows the panel again";
    s.controllerlistshown = 0;
    QTest::mouseDClick(f.Text21->viewport(), Qt::LeftButton);
    EXPECT_EQ(Form1::topTwipsOf(f.Text21), 6480);
    EXPECT_EQ(s.ilspanelshown, 1);
    EXPECT_EQ(s.controllerlistshown, 1);
}

// TWR and APP with atis.txt for an airport other than Berlin, and what they say without a line.
TEST_F(WeatherWidgetsTest, TwrAndAppOfFrankfurtAndWithoutTheirLines) {
    Form1 &f = form();
    const QString normal = f.Command10->toolTip();
    f.Text4->setText("26R");
    f.Command10->click(); // a fresh folder: atis.txt is created and the press goes on with it
    EXPECT_EQ(fake.messages.shown.value(0), "The file atis.txt has been created. If you do not "
                                            "control in Berlin, please edit this file.");
    EXPECT_TRUE(fake.clipboard.text().startsWith("V/EDDT_TWR\r\n"));

    writeFile(dataPath("atis.txt"), "TWR|EDDF|25|/EDDF_TWR|This is Frankfurt Information |RWY 25C "
                                    "for landing.\r\nDEP|Contact Langen Radar on 120.80 !\r\n"
                                    "APP|/EDDF_APP\r\nAPP-RWY|25|EDFE RWY 27 APP/DEP\r\n");
    fake.clipboard.m_text = "EDDF 180750Z 19010KT 4800 -DZ BKN003 OVC004 08/08 Q1013 BECMG 6000";
    f.Command18->click();
    f.Label8->setText("EDDF");
    f.Text18->setText("D");
    console->state().depcontactmode = 1;
    const QString missing = "atis.txt has no tower ATIS (TWR line) for EDDF runway 07C: TWR left "
                            "the clipboard as it was.";
    for (const char *text4 : {"25C", "07C", "25L"}) {
        f.Text4->setText(text4);
        const bool found = text4[0] == '2';
        const int sets = fake.clipboard.sets;
        f.Command10->click();
        EXPECT_EQ(fake.clipboard.sets, sets + found) << text4;
        EXPECT_EQ(confirming(), found) << "OK only with the text on the clipboard";
        EXPECT_EQ(f.Command10->toolTip(), found ? normal : missing);
        EXPECT_EQ(f.Command10->accessibleDescription(), found ? "" : missing);
    }
    const QString tower = fake.clipboard.text();
    EXPECT_TRUE(tower.startsWith("V/EDDF_TWR\r\nThis is Frankfurt Information Delta\r\nTime 0750 "
                                 "Zulu.\r\nRWY 25C for landing.\r\nTL60\r\nWind is 190 at 10 "));
    EXPECT_TRUE(tower.endsWith("GND.\r\nContact Langen Radar on 120.80 !\r\nDelta - OUT."));

    const QString app = "V/EDDF_APP\r\nInformation Delta 0750 Z\r\nInform that you have initial "
                        "contact.\r\n";
    f.Text4->setText("25C");
    f.Command37->click();
    EXPECT_EQ(fake.clipboard.text(), app + "EDFE RWY 27 APP/DEP\r\nTL60, See local ATIS or ACARS.");
    f.Text4->setText("07C");
    f.Command37->click();
    EXPECT_TRUE(f.Command37->accessibleDescription().contains("APP-RWY line for runway 07C"));
}

TEST_F(WeatherWidgetsTest, LondonWithoutALevelInTlTxtAndThenWithOne) {
    Form1 &f = form();
    writeFile(dataPath("atis.txt"), "TWR|EGLL|27|/EGLL_TWR|This is Heathrow Information |RWY 27L "
                                    "for landing.\r\nAPP|/EGLL_APP\r\nAPP-RWY|27|EGLL RWY 27L\r\n");
    f.Label8->setText("EGLL");
    f.Text4->setText("27L");
    f.Text18->setText("A");
    atis("EGLL 180750Z 24013KT 9999 FEW011 BKN014 13/11 Q1010 TEMPO SCT014 BKN018");
    EXPECT_EQ(fake.messages.shown.value(0), "The file tl.txt has been created. If you do not "
                                            "control in Germany, please edit this file.");
    const QString none = "tl.txt has no transition level for EGLL: the console gives none.";
    EXPECT_EQ(f.Label2->text(), "");
    EXPECT_EQ(f.Label2->toolTip() + f.Label2->accessibleDescription(), none + none);
    f.Command10->click();
    EXPECT_TRUE(
        fake.clipboard.text().contains("Zulu.\r\nRWY 27L for landing.\r\nWind is 240 at 13 "));
    f.Command37->click();
    EXPECT_TRUE(fake.clipboard.text().endsWith("EGLL RWY 27L\r\nSee local ATIS or ACARS."));

    writeFile(dataPath("tl.txt"), "TL|EG|6000|979|1012|TL80\r\n");
    atis("EGLL 180750Z 24013KT 9999 FEW011 BKN014 13/11 Q1010 TEMPO SCT014 BKN018");
    EXPECT_EQ(f.Label2->text(), "TL80");
    EXPECT_EQ(f.Label2->toolTip(), "The TL is calculated by the QNH with TA=6000ft / dbl-click : "
                                   "shows 2 flight-strips");
    EXPECT_EQ(fake.messages.shown.size(), 1);
}

#include "app/companions.h"
#include "clientlink/form4.h"
#include "clientlink/form5.h"
#include "clientlink/groundinfocontroller.h"
#include "fakes/consolefixture.h"
#include "strips/assist.h"
#include "strips/form3.h"
#include "strips/stripboard.h"

#include <QTest>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

class AssistTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        QFile::copy(QStringLiteral(TARVOS_TEST_DATA "/icao_sample.txt"), dataPath("ICAO.txt"));
        start();
        startFrame = form().frameGeometry();
        // Tables in place, so that no creation message interrupts the flows.
        form().Text7[6]->setText("dlh");
        form().Text9[6]->setText("b1l");
        form().Text7[6]->clear();
        form().Text9[6]->clear();
        fake.messages.shown.clear();
        form().Command8->click();
        form().show();
        QApplication::setActiveWindow(&form());
    }
    Form5 &chart() { return console->companions().chart(); }
    QRect startFrame;
};

} // namespace

TEST(AssistTexts, ReleaseRequestIpSentenceAndLanding) {
    EXPECT_EQ(releaseRequestText("Condor CFG440", "BRANE1L", "4000"),
              "APP! Request release CFG440 via BRANE1L DEP, IC=4000ft.");
    EXPECT_EQ(releaseRequestText("Lufthansa DLH1234", "", "5000"),
              "APP! Request release DLH1234 via  DEP, IC=5000ft.");
    EXPECT_EQ(ipSentence("1.2.3.4"), "My IP-Address is = 1.2.3.4");
    EXPECT_EQ(landingRemarks(""), "Landing RWY ");
}

TEST_F(AssistTest, DestinationFollowsTheTyping) {
    Field *dest = form().Text8[1];
    Field *remarks = form().Text11[1];
    dest->setFocus();
    const char *const shown[] = {"Brussels", "Heringsdorf", "Schönefeld Berlin", "Tegel Berlin"};
    const char *const typed[] = {"E", "D", "D", "T"};
    for (int i = 0; i < 4; ++i) {
        QTest::keyClicks(dest, typed[i]);
        EXPECT_EQ(remarks->text(), QString::fromUtf8(shown[i])) << dest->text();
    }
    dest->clear();
    EXPECT_EQ(remarks->text(), "");
    QTest::keyClicks(dest, "eddf");
    EXPECT_EQ(remarks->text(), "Frankfurt");
    form().Text9[1]->setFocus();
    EXPECT_EQ(dest->text(), "EDDF") << "capitals on leaving the field";
    dest->setText("EDDFX");
    EXPECT_EQ(remarks->text(), "Frankfurt") << "looked up by its first four";
    dest->setText("QQQQ");
    EXPECT_EQ(remarks->text(), "Frankfurt") << "no match keeps the remarks";
    emit dest->doubleClicked();
    EXPECT_EQ(dest->text(), "");
    EXPECT_EQ(remarks->text(), "");
}

TEST_F(AssistTest, DestClickCopiesTheCallsignTail) {
    form().Text7[2]->setText("Condor CFG440");
    emit form().Text8[2]->clicked();
    EXPECT_EQ(fake.clipboard.text(), "CFG440");
    form().Text7[2]->setText(" ab ");
    emit form().Text8[2]->clicked();
    EXPECT_EQ(fake.clipboard.text(), "ab");
}

TEST_F(AssistTest, ViaShortcutsExpandAndMoveTheFocus) {
    Field *via = form().Text9[0];
    via->setFocus();
    chart().hide();
    via->clear();
    QTest::keyClicks(via, "b1l");
    EXPECT_EQ(via->text(), "BRANE1L");
    EXPECT_TRUE(form().Text10[0]->hasFocus());
    for (const char *kept : {"B1L", "DCT", "Sid"}) {
        via->setText(kept);
        EXPECT_EQ(via->text(), kept);
    }
    via->setText("b5l.");
    EXPECT_EQ(via->text(), "b5l.") << "four characters start no lookup";
    QTest::keyClick(via, Qt::Key_End);
    via->setText("b5l");
    EXPECT_EQ(via->text(), "BKD5L");
    emit via->doubleClicked();
    EXPECT_EQ(via->text(), "");
}

TEST_F(AssistTest, SidOpensTheChartForTheLandingRunway) {
    Field *via = form().Text9[3];
    form().Text4->setText("26R");
    via->setText("sid");
    EXPECT_EQ(via->text(), "");
    EXPECT_TRUE(chart().isVisible());
    EXPECT_EQ(chart().shownChart(), SidChart::East);
    EXPECT_EQ(chart().frameGeometry().top(),
              form().frameGeometry().top() + form().frameGeometry().height());
    EXPECT_EQ(chart().frameGeometry().left(), form().frameGeometry().left());
    form().Text4->setText("08L");
    via->setText("SID");
    EXPECT_EQ(chart().shownChart(), SidChart::West);
    via->setText("b1l");
    EXPECT_FALSE(chart().isVisible()) << "an expanded shortcut closes the chart";
}

TEST_F(AssistTest, EnteringAViaFieldOpensTheChartWhileAutoSidIsOn) {
    form().Text9[4]->setFocus();
    EXPECT_TRUE(chart().isVisible());
    EXPECT_EQ(form().Text9[4]->text(), "");
    chart().hide();
    console->state().autosidswitch = 0;
    form().Text9[5]->setFocus();
    EXPECT_FALSE(chart().isVisible());
    form().Text10[5]->setFocus();
}

TEST_F(AssistTest, CallsignAndRemarksPrepareTheClipboard) {
    form().Text7[1]->setText("Condor CFG440");
    form().Text9[1]->setText("BRANE1L");
    form().Text11[1]->setText("1.2.3.4");
    form().Text10[0]->setFocus();
    form().Text7[1]->setFocus();
    EXPECT_EQ(fake.clipboard.text(), "APP! Request release CFG440 via BRANE1L DEP, IC=4000ft.");
    const int clears = fake.clipboard.clears;
    form().Text11[1]->setFocus();
    EXPECT_EQ(fake.clipboard.text(), "My IP-Address is = 1.2.3.4");
    EXPECT_EQ(fake.clipboard.clears, clears) << "the IP sentence does not clear first";
}

TEST_F(AssistTest, DoubleClicksClearAndMark) {
    for (int c = 0; c < 5; ++c)
        form().row(2)[c]->setText(c == 0 ? "DLH1" : "x");
    emit form().Text7[2]->doubleClicked();
    EXPECT_EQ(form().Text7[2]->text(), "");
    EXPECT_EQ(form().Text8[2]->text(), "x") << "a filled callsign empties only itself";
    form().Text16->show();
    emit form().Text7[2]->doubleClicked();
    for (Field *f : form().row(2))
        EXPECT_EQ(f->text(), "");
    EXPECT_TRUE(form().Text16->isHidden());

    form().Text4->setText("26R");
    emit form().Text11[3]->doubleClicked();
    EXPECT_EQ(form().Text11[3]->text(), "Landing RWY 26R");
    for (Field *f : form().row(3))
        EXPECT_EQ(f->textColour(), kGreen);
}

TEST_F(AssistTest, DeleteLogsTheStripEntersTheGroundAndListsToday) {
    fake.clock.current = QDateTime(QDate(2026, 12, 6), QTime(22, 0, 0));
    form().Text5->setText("26L");
    form().Text4->setText("26R");
    auto logStrip = [&](int r, const QStringList &fields) {
        for (int c = 0; c < 5; ++c)
            form().row(r)[c]->setText(fields[c]);
        form().del[r]->click();
    };
    logStrip(1, {"dlh123", "EDDF", "BKD5T", "5051", "Frankfurt"});
    logStrip(2, {"ABC12345", "", "", "", ""});
    fake.clock.current = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9));
    logStrip(3, {"BER2", "EDDT", "", "----", "Landung EDDT"});
    logStrip(4, {"", "", "", "", ""});
    logStrip(5, {"CFG440", "", "", "----", "Landing RWY 26R"});

    const QStringList lines =
        QString::fromLatin1(fileBytes(dataPath("log.txt"))).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("DLH123..............  EDDF  BKD5T..  5051  Frankfurt"));
    EXPECT_TRUE(lines[0].endsWith("06.12.2026  22:00:00  26L"));
    EXPECT_TRUE(lines[2].endsWith("07.12.2026  14:05:09  26R")) << "an arrival: landing runway";
    EXPECT_TRUE(lines[3].startsWith("....................  ....  .......  ....  ....."));
    EXPECT_TRUE(lines[4].endsWith("26R"));

    const GroundInfo &ground = console->companions().groundInfo().rows();
    EXPECT_EQ(ground.row(0).callsign, "dlh123") << "capitals come when the field is left";
    EXPECT_EQ(ground.row(1).callsign, "BC12345");
    EXPECT_EQ(ground.row(2).callsign, "CFG440") << "Landing (not Landung) is a departure here";
    EXPECT_TRUE(ground.row(3).callsign.isEmpty());

    form().Command5->click();
    Form3 &today = console->companions().today();
    EXPECT_TRUE(today.isVisible());
    tick(today.Timer1);
    EXPECT_EQ(today.Label2->text(), "3 Flugzeuge");
    EXPECT_EQ(today.Text1->text().count("\r\n"), 3);
}

TEST_F(AssistTest, LogButtonOpensTheLogOrSaysWhyNot) {
    form().Command7->click();
    ASSERT_EQ(fake.editor.opened.size(), 1);
    EXPECT_EQ(fake.editor.opened[0], dataPath("log.txt"));
    EXPECT_TRUE(QFile::exists(dataPath("log.txt")));
    fake.editor.succeed = false;
    form().Command7->click();
    ASSERT_EQ(fake.messages.shown.size(), 1);
    EXPECT_TRUE(fake.messages.shown[0].startsWith("No text editor could be started"));
}

TEST_F(AssistTest, GndTogglesTheGroundInfoWindowBesideTheConsole) {
    GroundInfoController &ground = console->companions().groundInfo();
    form().Command36->click();
    ASSERT_TRUE(ground.hasWindow());
    EXPECT_TRUE(ground.window().isVisible());
    EXPECT_EQ(ground.window().pos(), QPoint(startFrame.right() + 1, 0));
    EXPECT_EQ(console->state().showgroundwindow, 0);
    form().Command36->click();
    EXPECT_FALSE(ground.window().isVisible());
}

TEST_F(AssistTest, ShutdownClosesTheCompanionWindows) {
    form().Command5->click();
    form().Command36->click();
    form().Text9[0]->setText("sid");
    console->shutdown();
    EXPECT_FALSE(console->companions().today().isVisible());
    EXPECT_FALSE(chart().isVisible());
    EXPECT_FALSE(console->companions().groundInfo().hasWindow() &&
                 console->companions().groundInfo().window().isVisible());
}

TEST_F(AssistTest, ShortcutTablesWithCyclesShortAndEmptyLines) {
    writeFile(dataPath("shortcut.txt"), "\r\nab\r\nabc xyz\r\nxyz abc\r\n  \r\nq1 Q\r\n");
    Field *via = form().Text9[2];
    via->setText("abc");
    const QString held = via->text();
    EXPECT_TRUE(held == "abc" || held == "xyz") << held;
    via->setText("DCT");
    EXPECT_EQ(via->text(), "DCT") << "the field works on afterwards";
}

TEST_F(AssistTest, MissingShortcutFileIsCreatedAndTheCodeWaits) {
    QFile::remove(dataPath("shortcut.txt"));
    Field *via = form().Text9[1];
    via->setText("b1l");
    EXPECT_EQ(via->text(), "b1l");
    ASSERT_EQ(fake.messages.shown.size(), 1);
    EXPECT_EQ(fake.messages.shown[0],
              "The file shortcut.txt has been created. If you do not control in Berlin, please "
              "edit this file. Now press OK and continue!");
    via->setText("b1n");
    EXPECT_EQ(via->text(), "BRANE1N");
    EXPECT_EQ(fake.messages.shown.size(), 1);
}

TEST_F(AssistTest, SwitchingToAnotherProgramAndBackIsNoFieldFocus) {
    form().Text7[0]->setText("DLH1");
    form().Text7[0]->setFocus();
    fake.clipboard.setText("copied in the ATC client");
    QApplication::setActiveWindow(nullptr); // the ATC client comes to the front
    QApplication::setActiveWindow(&form()); // and the controller returns
    ASSERT_TRUE(form().Text7[0]->hasFocus());
    EXPECT_EQ(fake.clipboard.text(), "copied in the ATC client");
    QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(form().Text7[0], &tab);
    EXPECT_TRUE(fake.clipboard.text().startsWith("APP! Request release DLH1"));
}

TEST_F(AssistTest, MovingBetweenConsoleWindowsIsAFocusChange) {
    // From the ground-info window into a strip: the ground-info callsign is capitalised on
    // leaving, and the strip's callsign field is entered (release request on the clipboard).
    Form4 &ground = console->companions().groundInfo().window();
    ground.show();
    form().Text7[2]->setText("BER77");
    form().Text7[2]->setFocus();
    QApplication::setActiveWindow(&ground);
    ground.Text1[0]->setFocus();
    QTest::keyClicks(ground.Text1[0], "dlh4");
    fake.clipboard.setText("something else");
    QApplication::setActiveWindow(&form());
    ASSERT_TRUE(form().Text7[2]->hasFocus());
    EXPECT_EQ(ground.Text1[0]->text(), "DLH4");
    EXPECT_TRUE(fake.clipboard.text().startsWith("APP! Request release BER77"))
        << qPrintable(fake.clipboard.text());
}

TEST_F(AssistTest, EnteringAViaFieldKeepsItsRoute) {
    // With the automatic-SID switch on, an empty via field asks for the chart and stays empty;
    // one that holds a SID shows the chart and keeps it.
    ASSERT_EQ(console->state().autosidswitch, 1);
    Field *via = form().Text9[1];
    via->setText("BKD5T");
    QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(via, &tab);
    EXPECT_EQ(via->text(), "BKD5T");
    EXPECT_TRUE(chart().isVisible());
    chart().hideChart();
    Field *empty = form().Text9[2];
    QApplication::sendEvent(empty, &tab);
    EXPECT_EQ(empty->text(), "");
    EXPECT_TRUE(chart().isVisible());
}

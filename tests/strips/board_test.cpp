#include "fakes/consolefixture.h"
#include "strips/squawkcontroller.h"
#include "strips/stripboard.h"

#include <QTest>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

class BoardTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        // A data folder with the default airline table, so that no creation message interferes.
        start();
        board().airlines();
        fake.messages.shown.clear();
    }
    StripBoardController &board() { return console->board(); }
    void fill(int r, const QStringList &texts) {
        for (int c = 0; c < 5; ++c)
            form().row(r)[c]->setText(texts[c]);
    }
    QStringList texts(int r) {
        QStringList out;
        for (Field *f : form().row(r))
            out << f->text();
        return out;
    }
    int colour(int r) { return form().Text7[r]->textColour(); }
};

} // namespace

TEST_F(BoardTest, DepTogglesTheBoardAndItsLabels) {
    Form1 &f = form();
    EXPECT_EQ(f.heightTwips(), 1760);
    f.Command8->click();
    EXPECT_EQ(f.heightTwips(), 5580);
    EXPECT_EQ(f.Label1->text(), "Flightstrips");
    EXPECT_FALSE(f.Label1->isHidden());
    EXPECT_FALSE(f.Label3->isHidden());
    EXPECT_TRUE(f.Label11->isHidden()) << "flight-plan labels only after the word that shows them";
    EXPECT_EQ(console->state().stripshidden, 0);
    EXPECT_EQ(Form1::topTwipsOf(f.Command5), 4935);
    emit f.Label10->clicked();
    EXPECT_EQ(f.heightTwips(), 1760);
    EXPECT_TRUE(f.Label1->isHidden());
    EXPECT_EQ(console->state().stripshidden, 1);
    console->state().flightplanlabels = 1;
    emit f.Label16->clicked();
    EXPECT_FALSE(f.Label11->isHidden());
    EXPECT_FALSE(f.Label12->isHidden());
}

TEST_F(BoardTest, OneAndTwoStripViews) {
    Form1 &f = form();
    emit f.Label8->doubleClicked();
    EXPECT_EQ(f.heightTwips(), 2475);
    EXPECT_EQ(Form1::topTwipsOf(f.Command5), 1365);
    emit f.Label2->doubleClicked();
    EXPECT_EQ(f.heightTwips(), 2890);
    // The board counts as shown, so DEP now hides it.
    f.Command8->click();
    EXPECT_EQ(f.heightTwips(), 1760);
}

TEST_F(BoardTest, FaPutsTheClearanceOnTheClipboardAndTogglesRedBlack) {
    fill(2, {"DLH123", "EDDF", "BKD5T", "5051", "Frankfurt"});
    const QString sentence = "You're cleared to DEST Frankfurt via BKD5T DEP, flight planned "
                             "route, initial climb 4000ft, Squawk 5051";
    form().fa[2]->click();
    EXPECT_EQ(fake.clipboard.text(), sentence);
    EXPECT_EQ(fake.clipboard.clears, 1);
    for (Field *f : form().row(2))
        EXPECT_EQ(f->textColour(), kRed);
    form().fa[2]->click();
    EXPECT_EQ(fake.clipboard.text(), sentence);
    EXPECT_EQ(colour(2), kBlack);
    board().setRowColour(2, kGreen);
    form().fa[2]->click();
    EXPECT_EQ(colour(2), kRed) << "green counts as not red";
}

TEST_F(BoardTest, InitialClimbClickEmptiesIt) {
    emit form().Text12->clicked();
    EXPECT_EQ(form().Text12->text(), "");
    form().fa[0]->click();
    EXPECT_TRUE(fake.clipboard.text().contains("initial climb ft, Squawk "));
}

TEST_F(BoardTest, DeleteLogsFirstThenClearsAndToggles) {
    QStringList seen;
    QObject::connect(&board(), &StripBoardController::aboutToDeleteRow,
                     [&](int r) { seen = texts(r); });
    fill(1, {"DLH123", "EDDF", "BKD5T", "5051", "Frankfurt"});
    form().del[1]->click();
    EXPECT_EQ(seen, (QStringList{"DLH123", "EDDF", "BKD5T", "5051", "Frankfurt"}));
    EXPECT_EQ(texts(1), QStringList(5, QString()));
    EXPECT_EQ(colour(1), kRed);
    EXPECT_TRUE(fake.clipboard.text().startsWith("You're cleared to DEST  via  DEP"));
    form().del[1]->click();
    EXPECT_EQ(colour(1), kBlack) << "a red row is turned black by the next delete";
}

TEST_F(BoardTest, MoveToTopSwapsTextsAndColours) {
    fill(0, {"A0", "D0", "V0", "S0", "R0"});
    fill(3, {"A3", "D3", "V3", "S3", "R3"});
    board().setRowColour(0, kRed);
    form().first[3]->click();
    EXPECT_EQ(texts(0), (QStringList{"A3", "D3", "V3", "S3", "R3"}));
    EXPECT_EQ(texts(3), (QStringList{"A0", "D0", "V0", "S0", "R0"}));
    EXPECT_EQ(colour(0), kBlack);
    for (Field *f : form().row(3))
        EXPECT_EQ(f->textColour(), kRed);
    EXPECT_EQ(form().first[0], nullptr) << "no 1. on the top row";
}

TEST_F(BoardTest, ClearAllEmptiesBlackensAndLogsNothing) {
    int logged = 0;
    QObject::connect(&board(), &StripBoardController::aboutToDeleteRow, [&](int) { ++logged; });
    for (int r = 0; r < 7; ++r) {
        fill(r, {"X", "Y", "Z", "1", "R"});
        board().setRowColour(r, r % 2 ? kGreen : kRed);
    }
    form().Text16->show();
    form().Command19->click();
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(texts(r), QStringList(5, QString()));
        EXPECT_EQ(colour(r), kBlack);
    }
    EXPECT_TRUE(form().Text16->isHidden());
    EXPECT_EQ(logged, 0);
}

TEST_F(BoardTest, TypingAnAirlineCodeTranslatesIt) {
    Field *callsign = form().Text7[0];
    QTest::keyClicks(callsign, "dlh123");
    EXPECT_EQ(callsign->text(), "Lufthansa DLH123");
    callsign->clear();
    QTest::keyClicks(callsign, "DLH1");
    EXPECT_EQ(callsign->text(), "DLH1");
    callsign->clear();
    QTest::keyClicks(callsign, "ber123");
    EXPECT_EQ(callsign->text(), "Air Berlin BER123");
    callsign->setText("Condor");
    callsign->setCursorPosition(6);
    QTest::keyClick(callsign, Qt::Key_Backspace);
    QTest::keyClick(callsign, Qt::Key_Backspace);
    QTest::keyClick(callsign, Qt::Key_Backspace);
    EXPECT_EQ(callsign->text(), "Con") << "no airline con in the table";
    callsign->setText("cfg");
    EXPECT_EQ(callsign->text(), "Condor CFG");
    EXPECT_EQ(callsign->cursorPosition(), 10) << "caret behind the end";
}

TEST_F(BoardTest, MissingAirlineTableIsCreatedAndTheCodeRemoved) {
    QFile::remove(dataPath("airlines.txt"));
    form().Text7[2]->setText("dlh");
    EXPECT_EQ(form().Text7[2]->text(), "");
    ASSERT_EQ(fake.messages.shown.size(), 1);
    EXPECT_EQ(fake.messages.shown[0],
              "The file airlines.txt has been created. You can now edit this file, if you like. "
              "Now press OK and continue!");
    EXPECT_EQ(fileBytes(dataPath("airlines.txt")).count("\r\n"), 25);
    form().Text7[2]->setText("dlh");
    EXPECT_EQ(form().Text7[2]->text(), "Lufthansa DLH");
    EXPECT_EQ(fake.messages.shown.size(), 1);
}

TEST_F(BoardTest, ATableThatMapsBackToACodeStopsAtTheBound) {
    writeFile(dataPath("airlines.txt"), "abc xyz\r\nqqq zzz\r\n");
    writeFile(dataPath("airlines.txt"), "abc xyz\nxyz abc\n");
    form().Text7[4]->setText("abc");
    const QString held = form().Text7[4]->text();
    EXPECT_TRUE(held == "abc" || held == "xyz") << qPrintable(held);
    form().Text7[4]->setText("hello");
    EXPECT_EQ(form().Text7[4]->text(), "hello") << "the field still works afterwards";
}

TEST_F(BoardTest, SquawkAssignmentFlow) {
    Form1 &f = form();
    f.Command8->click();
    f.show();
    QApplication::setActiveWindow(&f);
    f.Text13->clear();
    f.Text10[2]->setText("a");
    EXPECT_EQ(f.Text10[2]->text(), "5051");
    EXPECT_EQ(f.Text13->text(), "5052");
    EXPECT_TRUE(f.Text11[2]->hasFocus());
    struct Step {
        const char *next;
        const char *assigned;
        const char *then;
    } steps[] = {{"5067", "5067", "5070"}, {"5077", "5077", "5100"}, {"5777", "5777", "6000"},
                 {"5707", "5707", "5710"}, {"0100", "0100", "0101"}, {"ABCD", "ABCD", "5051"}};
    for (const Step &s : steps) {
        f.Text13->setText(s.next);
        f.Text10[0]->clear();
        QTest::keyClicks(f.Text10[0], "a");
        EXPECT_EQ(f.Text10[0]->text(), s.assigned) << s.next;
        EXPECT_EQ(f.Text13->text(), s.then) << s.next;
    }
    for (const char *noTrigger : {"A", "ab", " a"}) {
        f.Text13->setText("5051");
        f.Text10[1]->setText(noTrigger);
        EXPECT_EQ(f.Text10[1]->text(), noTrigger);
        EXPECT_EQ(f.Text13->text(), "5051");
    }
}

TEST_F(BoardTest, LastAndStartSquawkButtons) {
    Form1 &f = form();
    f.Text13->setText("5067");
    f.Text10[0]->setText("a");
    f.Text13->setText("1234");
    f.Command20->click();
    EXPECT_EQ(f.Text13->text(), "5070");
    writeFile(dataPath("squawk.txt"), "4401\r\n5103\r\nEDDB\r\n 3 \r\n");
    f.Command38->click();
    EXPECT_EQ(f.Text13->text(), "4401");
    EXPECT_EQ(console->state().homeicao, "EDDT") << "S changes nothing else";
    EXPECT_EQ(f.Text6->text(), "EDDT");
    emit f.Text10[0]->doubleClicked();
    EXPECT_EQ(f.Text10[0]->text(), "");
}

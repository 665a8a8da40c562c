// What reaches the disk while the console runs: squawk.txt at every change of its values, and
// the recovery file of the strip board, which the next start puts back after an unclean end.
#include "fakes/consolefixture.h"
#include "strips/boardrecovery.h"
#include "strips/squawkcontroller.h"
#include "strips/stripboard.h"

#include <QTest>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

const char kRestored[] =
    "The strips of the last session, which ended unexpectedly, have been restored.";

class DiskStateTest : public ConsoleTest {
protected:
    QByteArray squawkFile() { return fileBytes(dataPath("squawk.txt")); }
    QString recoveryPath() { return dataPath(BoardRecovery::kFileName); }
    QTimer *timerOf(QObject *owner) { return owner->findChild<QTimer *>(); }

    // A board with texts that the fields' handlers would change if they ran.
    BoardSnapshot handlerBait() {
        BoardSnapshot board;
        board.rows[0] = {{"dlh", "EDDF", "b5l", "a", "clr \"\\ä€"}, kRed};
        board.rows[3] = {{"Condor CFG440", "", "", "5070", "Landung"}, kGreen};
        board.heightTwips = Form1::kBoardHeight;
        board.stripsShown = true;
        return board;
    }
};

} // namespace

TEST_F(DiskStateTest, SquawkFileFollowsEveryChangeAndKeepsAnEditedLineOne) {
    writeFile(dataPath("squawk.txt"), "4001\r\n5067\r\nEDDT\r\n 1 \r\n");
    start();
    Form1 &f = form();
    QTest::keyClicks(f.Text10[0], "a");
    EXPECT_EQ(squawkFile(), "4001\r\n5070\r\nEDDT\r\n 1 \r\n") << "written at the assignment";

    // An edit of line 1 in the file while the console runs is kept by the next save.
    writeFile(dataPath("squawk.txt"), "4444\r\n5070\r\nEDDT\r\n 1 \r\n");
    QTest::keyClicks(f.Text10[1], "a");
    EXPECT_EQ(squawkFile(), "4444\r\n5071\r\nEDDT\r\n 1 \r\n");

    // A hand-made change waits for its second; typing on does not put it off.
    QTimer *handChange = timerOf(&console->squawks());
    f.Text13->setText("6");
    EXPECT_TRUE(handChange->isActive());
    f.Text13->setText("60");
    EXPECT_EQ(squawkFile(), "4444\r\n5071\r\nEDDT\r\n 1 \r\n");
    tick(handChange);
    EXPECT_EQ(squawkFile(), "4444\r\n60\r\nEDDT\r\n 1 \r\n");

    f.Text18->setText("c"); // the ATIS letter
    EXPECT_EQ(squawkFile(), "4444\r\n60\r\nEDDT\r\n 4 \r\n");
}

TEST_F(DiskStateTest, RecoveryFileIsWrittenAfterAChangeAndRemovedByANormalEnd) {
    start();
    Form1 &f = form();
    QTimer *timer = timerOf(&console->recovery());
    QTest::keyClicks(f.Text11[2], "Remarks");
    ASSERT_TRUE(timer->isActive());
    EXPECT_FALSE(QFile::exists(recoveryPath())) << "not at every keystroke";
    tick(timer);
    EXPECT_EQ(readRecoveryDocument(fileBytes(recoveryPath())), console->recovery().snapshot());
    f.Command19->click(); // "A": nothing is left that a start would not show anyway
    tick(timer);
    EXPECT_FALSE(QFile::exists(recoveryPath()));
    f.Text7[0]->setText("DLH1");
    console->saveState();
    EXPECT_TRUE(QFile::exists(recoveryPath()));
    console->shutdown();
    EXPECT_FALSE(QFile::exists(recoveryPath()));
    EXPECT_FALSE(QFile::exists(dataPath(BoardRecovery::kLockName)));
}

TEST_F(DiskStateTest, RestoreShowsTheBoardAsItWasWithoutRunningTheHandlers) {
    const BoardSnapshot board = handlerBait();
    writeFile(recoveryPath(), recoveryDocument(board));
    writeFile(dataPath("squawk.txt"), "4001\r\n5067\r\nEDDT\r\n 1 \r\n");
    start();
    EXPECT_EQ(console->recovery().snapshot(), board);
    EXPECT_EQ(form().Text7[0]->text(), "dlh") << "no translation, no command word";
    EXPECT_EQ(form().Text10[0]->text(), "a") << "no squawk assigned";
    EXPECT_EQ(form().Text8[3]->textColour(), kGreen);
    EXPECT_EQ(fake.messages.shown, QStringList{kRestored});
    EXPECT_EQ(fake.clipboard.sets, 0);
    EXPECT_FALSE(QFile::exists(dataPath("log.txt")));
    EXPECT_FALSE(QFile::exists(dataPath("airlines.txt")));
    EXPECT_EQ(squawkFile(), "4001\r\n5067\r\nEDDT\r\n 1 \r\n");
    // A second console on the folder neither restores nor removes the first one's board.
    FakePlatform other;
    Console second(other.platform, tmp.path());
    second.startup();
    EXPECT_EQ(second.form1().Text7[0]->text(), "");
    second.shutdown();
    EXPECT_TRUE(QFile::exists(recoveryPath()));
    ASSERT_EQ(other.messages.shown.size(), 1);
    EXPECT_TRUE(other.messages.shown[0].startsWith("Another Tarvos is running"));
}

// Cut short, edited by hand, of another version or format: nothing is restored.
TEST_F(DiskStateTest, AnUnreadableRecoveryFileIsKeptAsideAndRestoresNothing) {
    const QByteArray good = recoveryDocument(handlerBait());
    for (const QByteArray &bad :
         {QByteArray(), good.left(1), good.left(good.size() / 2), good.left(good.lastIndexOf('}')),
          QByteArray(good).replace("EDDF", "EDDM"), QByteArray(good).replace("49152", "49153"),
          QByteArray(good).replace("\"version\": 1", "\"version\": 2"),
          QByteArray(good).replace("tarvos-strip-board", "tarvos-strips"),
          QByteArray("[1, 2, 3]")}) {
        writeFile(recoveryPath(), bad);
        fake.messages.shown.clear();
        start();
        EXPECT_EQ(form().Text7[0]->text(), "");
        EXPECT_FALSE(QFile::exists(recoveryPath()));
        EXPECT_EQ(fileBytes(dataPath(BoardRecovery::kBadFileName)), bad);
        ASSERT_EQ(fake.messages.shown.size(), 1);
        EXPECT_TRUE(fake.messages.shown[0].contains(
            QDir::toNativeSeparators(dataPath(BoardRecovery::kBadFileName))));
    }
}

// A data folder the console may read but not write: it keeps running, shows the could-not-create
// note once instead of on every keystroke, and leaves the old squawk.txt whole.
//
// Root may write anywhere, so when the tests run as root this executable first becomes the
// unprivileged user "nobody".

#include "fakes/consolefixture.h"
#include "strips/stripboard.h"
#include "weather/weathercontroller.h"

#include <QApplication>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

const QByteArray kEarlierLog =
    "EARLIER.............  EDDF  .......  5051  "
    "....................................  06.12.2026  10:00:00  26L\r\n";

class ReadOnlyFolderTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        writeFile(dataPath("squawk.txt"), "5051\r\n5103\r\nEDDB\r\n 3 \r\n");
        writeFile(dataPath("log.txt"), kEarlierLog);
        ASSERT_EQ(::chmod(QFile::encodeName(dataPath("log.txt")).constData(), 0444), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 0555), 0);
        if (QFile probe(dataPath("probe")); probe.open(QIODevice::WriteOnly))
            GTEST_SKIP() << "the folder stays writable for this user";
    }
    void TearDown() override { ::chmod(QFile::encodeName(tmp.path()).constData(), 0755); }
};

} // namespace

TEST_F(ReadOnlyFolderTest, ConsoleRunsOnAndLosesNothing) {
    start();
    EXPECT_EQ(form().Text13->text(), "5103");
    EXPECT_EQ(form().Text6->text(), "EDDB");
    for (const char *code : {"dlh", "cfg", "baw", "xyz"}) {
        form().Text7[0]->clear();
        QTest::keyClicks(form().Text7[0], code);
    }
    EXPECT_EQ(form().Text7[0]->text(), "xyz");
    form().Text7[1]->setText("dlh");
    EXPECT_EQ(form().Text7[1]->text(), "Lufthansa DLH") << "the built-in table still translates";
    ASSERT_EQ(fake.messages.shown.size(), 1) << "one note, not one per keystroke";
    EXPECT_TRUE(fake.messages.shown[0].startsWith("The file airlines.txt could not be created"));
    EXPECT_FALSE(QFile::exists(dataPath("airlines.txt")));

    // A strip deleted now cannot be logged: the delete goes on and the log keeps its lines.
    form().Text7[2]->setText("CFG440");
    form().Text8[2]->setText("EDDF");
    form().del[2]->click();
    EXPECT_EQ(form().Text7[2]->text(), "");
    EXPECT_EQ(form().Text8[2]->text(), "");
    EXPECT_EQ(fileBytes(dataPath("log.txt")), kEarlierLog);
    EXPECT_EQ(fake.messages.shown.size(), 1);

    // The runway table and the frequency lists work from their built-in lines.
    form().Label8->setText("EDDT");
    form().Text1->setText("260");
    console->weather().loadrwy();
    EXPECT_EQ(form().Text4->text(), "26R");
    for (int press = 0; press < 3; ++press)
        form().Command1->click();
    EXPECT_EQ(form().Label5->text(), "APP 119.62") << "the same cycle as with a new file";
    EXPECT_EQ(fake.messages.shown.size(), 3) << "one note for airlines, rwy and freq1 each";

    form().Text13->setText("6000");
    console->shutdown();
    EXPECT_EQ(fileBytes(dataPath("squawk.txt")), QByteArray("5051\r\n5103\r\nEDDB\r\n 3 \r\n"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"log.txt", "squawk.txt"}))
        << "no temporary file left behind";
}

int main(int argc, char **argv) {
    if (::geteuid() == 0) {
        // 65534 is "nobody" on Debian.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            std::fprintf(stderr, "cannot leave root\n");
            return 1;
        }
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_RUNTIME_DIR", QByteArray("/tmp/tarvos-runtime-") + QByteArray::number(::getuid()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

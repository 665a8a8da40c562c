#include "console/datadir.h"
#include "console/textcodec.h"
#include "fakes/fakeplatform.h"
#include "fakes/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvos;
using tarvos::testing::FakeMessageBox;
using tarvos::testing::fileBytes;
using tarvos::testing::writeFile;

TEST(TextCodec, SplitsLines) {
    struct Case {
        const char *text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"x\r\r\ny", {"x\r", "y"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitDataLines(QString::fromLatin1(c.text)), c.lines) << c.text;
}

TEST(TextCodec, ReadsWindows1252AndUtf8) {
    // "Türkisch" as one byte per character, and as a modern editor saves it.
    EXPECT_EQ(decodeDataText(QByteArray("T\xfcrkisch")), QStringLiteral("Türkisch"));
    EXPECT_EQ(decodeDataText(QByteArray("T\xc3\xbcrkisch")), QStringLiteral("Türkisch"));
    EXPECT_EQ(decodeDataText(QByteArray("\xef\xbb\xbf"
                                        "ab")),
              QStringLiteral("ab"));
    EXPECT_EQ(decodeDataText(QByteArray("\x80 \x9f \x81")),
              QString::fromUtf16(u"\u20ac \u0178 \u0081"));
    // Invalid UTF-8 stays single-byte text.
    EXPECT_EQ(decodeDataText(QByteArray("\xc3(")), QString::fromUtf16(u"\u00c3("));
}

TEST(TextCodec, WritesWindows1252) {
    EXPECT_EQ(encodeWindows1252(QStringLiteral("Schönefeld €")), QByteArray("Sch\xf6nefeld \x80"));
    EXPECT_EQ(encodeWindows1252(QStringLiteral("Ω")), QByteArray("?"));
    const QByteArray all = [] {
        QByteArray b;
        for (int i = 0; i < 256; ++i)
            b.append(static_cast<char>(i));
        return b;
    }();
    EXPECT_EQ(encodeWindows1252(decodeDataText(all.left(128) + all.mid(160))),
              all.left(128) + all.mid(160));
}

class DataDirTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    DataDir dir{tmp.path()};
    FakeMessageBox messages;
    DefaultFile freq{"freq1.txt",
                     {"APP 119.62", "CTR 121.05"},
                     "The file freq1.txt has been created. If you do not control in Berlin, "
                     "please edit this file."};
};

TEST_F(DataDirTest, MissingFileIsCreatedOnceWithItsMessage) {
    auto first = dir.openOrCreate(freq, messages);
    EXPECT_EQ(first.outcome, DataDir::Outcome::Created);
    EXPECT_EQ(first.lines, freq.lines);
    EXPECT_EQ(fileBytes(dir.path("freq1.txt")), QByteArray("APP 119.62\r\nCTR 121.05\r\n"));
    auto second = dir.openOrCreate(freq, messages);
    EXPECT_EQ(second.outcome, DataDir::Outcome::Existing);
    EXPECT_EQ(messages.shown, QStringList{freq.message});
}

TEST_F(DataDirTest, ReadsLfAndMissingFinalLineEnd) {
    writeFile(dir.path("a.txt"), "one\ntwo\r\nthree");
    EXPECT_EQ(dir.read("a.txt").lines, (QStringList{"one", "two", "three"}));
    EXPECT_EQ(dir.read("none.txt").status, DataDir::Status::Missing);
}

TEST_F(DataDirTest, CachedReadSeesEdits) {
    writeFile(dir.path("s.txt"), "b1l BRANE1L\r\n");
    EXPECT_EQ(dir.lines("s.txt").lines, QStringList{"b1l BRANE1L"});
    writeFile(dir.path("s.txt"), "b1l BRANE1L\r\nb1n BRANE1N\r\n");
    EXPECT_EQ(dir.lines("s.txt").lines.size(), 2);
    QFile::remove(dir.path("s.txt"));
    EXPECT_EQ(dir.lines("s.txt").status, DataDir::Status::Missing);
}

TEST_F(DataDirTest, ReplaceAndAppend) {
    ASSERT_TRUE(dir.replace("squawk.txt", {"5051", "5103", "EDDT", " 1 "}));
    EXPECT_EQ(fileBytes(dir.path("squawk.txt")), QByteArray("5051\r\n5103\r\nEDDT\r\n 1 \r\n"));
    ASSERT_TRUE(dir.replace("squawk.txt", {"x"}));
    EXPECT_EQ(fileBytes(dir.path("squawk.txt")), QByteArray("x\r\n"));
    ASSERT_TRUE(dir.append("log.txt", "first"));
    ASSERT_TRUE(dir.append("log.txt", "Schönefeld"));
    EXPECT_EQ(fileBytes(dir.path("log.txt")), QByteArray("first\r\nSch\xf6nefeld\r\n"));
    EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::Files).size() == 2) << "no temporary left";
}

// Lines added under a table keep every byte before them, and speak the file's own encoding.
TEST_F(DataDirTest, AppendLinesKeepsTheBytesBefore) {
    const struct {
        QByteArray before, after;
    } cases[] = {
        {"EDDT 08L 08R\r\nvia Sch\xf6nefeld\r\n",
         "EDDT 08L 08R\r\nvia Sch\xf6nefeld\r\nM\xe1laga\r\nLEMD 32L 32L\r\n"},
        {"EDDT 08L 08R", "EDDT 08L 08R\r\nM\xe1laga\r\nLEMD 32L 32L\r\n"},
        {"a\nSch\xc3\xb6nefeld\n", "a\nSch\xc3\xb6nefeld\nM\xc3\xa1laga\r\nLEMD 32L 32L\r\n"},
        {"", "M\xe1laga\r\nLEMD 32L 32L\r\n"},
    };
    for (const auto &c : cases) {
        writeFile(dir.path("rwy.txt"), c.before);
        ASSERT_TRUE(dir.appendLines("rwy.txt", {"Málaga", "LEMD 32L 32L"}));
        EXPECT_EQ(fileBytes(dir.path("rwy.txt")), c.after) << c.before.constData();
    }
    EXPECT_FALSE(dir.appendLines("none.txt", {"x"}));
    EXPECT_FALSE(dir.exists("none.txt"));
    ASSERT_TRUE(dir.replaceUtf8("ICAO.txt", {"EPLL   Łódź Władysław Reymont Airport"}));
    EXPECT_EQ(dir.read("ICAO.txt").lines, QStringList{"EPLL   Łódź Władysław Reymont Airport"});
}

TEST_F(DataDirTest, UnwritableFolderUsesDefaultsAndWarnsOnce) {
    DataDir missing(tmp.filePath("no/such/folder"));
    for (int i = 0; i < 3; ++i) {
        auto r = missing.openOrCreate(freq, messages);
        EXPECT_EQ(r.outcome, DataDir::Outcome::BuiltIn);
        EXPECT_EQ(r.lines, freq.lines);
    }
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("freq1.txt could not be created"));
    EXPECT_FALSE(missing.replace("squawk.txt", {"1"}));
    EXPECT_FALSE(missing.append("log.txt", "1"));
}

TEST(DataDirChoice, CommandLineThenProgramFolderThenUserFolder) {
    QTemporaryDir program, user;
    EXPECT_EQ(chooseDataDirectory(program.path(), "/x", user.path()), program.path());
    const QString newAirport = program.filePath("EDDB/data");
    EXPECT_EQ(chooseDataDirectory(newAirport, "/x", user.path()), newAirport);
    EXPECT_TRUE(QDir(newAirport).exists()) << "a named folder that does not exist is made";
    EXPECT_EQ(chooseDataDirectory({}, program.path(), user.path()), program.path());
    EXPECT_EQ(chooseDataDirectory({}, "/proc/self", user.filePath("Tarvos")),
              user.filePath("Tarvos"));
    EXPECT_TRUE(QDir(user.filePath("Tarvos")).exists());

    // An installed program keeps its tables in the user folder even where its folder is
    // writable (run as root).
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("usr/bin"));
    ASSERT_TRUE(QDir(root.path()).mkpath("usr/share/applications"));
    QFile entry(root.filePath("usr/share/applications/tarvos.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.close();
    EXPECT_EQ(chooseDataDirectory({}, root.filePath("usr/bin"), user.path()), user.path());
    // So does one that its installer put in place (Windows: the uninstaller lies beside it).
    QTemporaryDir installed;
    QFile uninstaller(installed.filePath("Uninstall.exe"));
    ASSERT_TRUE(uninstaller.open(QIODevice::WriteOnly));
    uninstaller.close();
    EXPECT_EQ(chooseDataDirectory({}, installed.path(), user.path()), user.path());
}

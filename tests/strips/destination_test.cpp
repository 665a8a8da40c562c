#include "console/datadir.h"
#include "strips/destination.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvos;

namespace {

class DestinationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(TARVOS_TEST_DATA "/icao_sample.txt", dir.path("ICAO.txt")));
    }
    void write(const QString &name, const QByteArray &bytes) {
        QFile f(dir.path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QString change(const QString &dest, const QString &remarks = "previous") {
        return lookup.remarksAfterDestChange(dest, remarks);
    }

    QTemporaryDir tmp;
    DataDir dir{tmp.path()};
    DestinationLookup lookup{dir};
};

} // namespace

TEST_F(DestinationTest, RemarksFollowTheTyping) {
    struct Case {
        const char *dest;
        QString remarks;
    } cases[] = {
        {"E", "Brussels"},
        {"ED", "Heringsdorf"},
        {"EDD", QString::fromUtf8("Schönefeld Berlin")},
        {"EDDT", "Tegel Berlin"},
        {"eddt", "Tegel Berlin"},
        {"EDDTX", "Tegel Berlin"},
        {"eddiwxyz", "Tempelhof Berlin"},
        {"EDDH", "Hamburg "}, // both parts equal
        {"ZZZZ", ""},         // line shorter than 8 characters
        {"XXXX", "Nowhere "}, // "|" first in the name
        {"KJFK", "previous"}, // not in the list: Remarks stay
        {"", ""},             // an empty Dest empties Remarks
    };
    for (const Case &c : cases)
        EXPECT_EQ(change(c.dest), c.remarks) << c.dest;
    EXPECT_EQ(change("KJFK", "Tegel | Berlin"), "Berlin Tegel");
}

TEST(Destination, Rearrangement) {
    struct Case {
        const char *remarks;
        const char *shown;
    } cases[] = {
        {"Berlin | Tegel", "Tegel Berlin"},
        {"  Berlin  |  Tegel  ", "Tegel Berlin"},
        {"Berlin|Tegel", "Tegel Berlin"},
        {"x|Tegel", "Tegel x"},
        {"|Tegel", "Tegel "},
        {"|", " "},
        {"Tegel | Tegel", "Tegel "},
        {"a | b | c", "b | c a"},
        {"no bar", "no bar"},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(rearrangeRemarks(c.remarks), c.shown) << c.remarks;
}

TEST_F(DestinationTest, MissingOrOddListsNeverFail) {
    QFile::remove(dir.path("ICAO.txt"));
    EXPECT_EQ(change("EDDT"), "previous");
    EXPECT_EQ(change(""), "");

    // The lower-case name is accepted where names are case-sensitive.
    write("icao.txt", "EDDT   Tegel\r\n");
    EXPECT_EQ(change("EDDT"), "Tegel");

    // Binary bytes, NULs, a lone CR, an empty line, and a line of two megabytes.
    QByteArray binary;
    for (int i = 0; i < 256; ++i)
        binary.append(char(i == '\n' ? 'x' : i));
    write("ICAO.txt", binary + "\r\n\r\nAAAA" + QByteArray(2 << 20, 'A') + "\r\nQQQQ   Quebec");
    EXPECT_EQ(change("QQQQ"), "Quebec");
    EXPECT_EQ(change("AAAA").size(), (2 << 20) - 3);
    EXPECT_EQ(change("KJFK"), "previous");
    const QString fromBinary = lookup.lookup(QString(QChar(0)) + QChar(1)).value_or("none");
    EXPECT_EQ(fromBinary.size(), 256 - 7);
    EXPECT_TRUE(fromBinary.startsWith(QChar(7)));
}

TEST_F(DestinationTest, AChangedListIsReadAgain) {
    EXPECT_EQ(change("EDDT"), "Tegel Berlin");
    write("ICAO.txt", "EDDT   Tegel | Otto Lilienthal\r\n");
    EXPECT_EQ(change("EDDT"), "Otto Lilienthal Tegel");
    EXPECT_EQ(change("EDDF"), "previous");
}

TEST(Destination, IndexFindsWhatAPlainScanFinds) {
    // Small alphabet, so that pairs repeat across lines and many queries match late or never.
    QRandomGenerator random(4711);
    const QString alphabet = "ABDEab |";
    QStringList lines;
    for (int n = 0; n < 400; ++n) {
        QString line;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i)
            line += alphabet[random.bounded(int(alphabet.size()))];
        lines << line;
    }
    const AerodromeIndex index(lines);
    for (int q = 0; q < 3000; ++q) {
        QString text;
        const int length = random.bounded(6);
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(int(alphabet.size()))];
        qsizetype expected = -1;
        for (qsizetype n = 0; n < lines.size() && expected < 0; ++n) {
            if (lines[n].contains(text))
                expected = n;
        }
        ASSERT_EQ(index.firstLineContaining(lines, text), expected) << text.toStdString();
    }
    EXPECT_EQ(AerodromeIndex(QStringList()).firstLineContaining({}, ""), -1);
}

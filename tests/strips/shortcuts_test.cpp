#include "fakes/fakeplatform.h"
#include "strips/shortcuts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvos;

TEST(Shortcuts, DefaultTable) {
    const QStringList &table = shortcutFile().lines;
    ASSERT_EQ(table.size(), 37);
    EXPECT_EQ(table.first(), "b1l BRANE1L");
    EXPECT_EQ(table.last(), "t3x TUVAK3X");
    struct Case {
        const char *typed;
        const char *via;
        bool replaced;
    } cases[] = {
        {"b1l", "BRANE1L", true}, {"b5l", "BKD5L", true}, {"t3x", "TUVAK3X", true},
        {"B1L", "B1L", false},    {"DCT", "DCT", false},  {"b1", "b1", false},
    };
    for (const Case &c : cases) {
        const CodeExpansion e = expandCode(table, c.typed);
        EXPECT_EQ(e.text, c.via) << c.typed;
        EXPECT_EQ(e.replaced, c.replaced) << c.typed;
    }
    // No default replacement starts with a code, so the first matching line decides.
    for (const QString &line : table) {
        EXPECT_EQ(line[3], u' ') << line.toStdString();
        EXPECT_FALSE(expandCode(table, line.mid(4)).replaced) << line.toStdString();
    }
}

TEST(Shortcuts, AThreeCharacterReplacementIsACodeAgain) {
    // Later lines see the replaced text within the same pass...
    EXPECT_EQ(expandCode({"dct DIR", "DIR DIRECT"}, "dct").text, "DIRECT");
    // ...and an earlier line is reached by the lookup that the replaced text starts again.
    const QStringList table = {"DIR DIRECT", "dct DIR"};
    const CodeExpansion first = expandCode(table, "dct");
    EXPECT_EQ(first.text, "DIR");
    EXPECT_EQ(expandCode(table, first.text).text, "DIRECT");
}

TEST(Shortcuts, MissingFileIsCreatedAndTheCodeWaits) {
    QTemporaryDir tmp;
    DataDir dir(tmp.path());
    tarvos::testing::FakeMessageBox messages;
    const CodeExpansion first = lookupShortcut(dir, messages, "b1l");
    EXPECT_EQ(first.text, "b1l");
    EXPECT_FALSE(first.replaced);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0], shortcutFile().message);
    EXPECT_EQ(dir.read("shortcut.txt").lines, shortcutFile().lines);

    EXPECT_EQ(lookupShortcut(dir, messages, "b1l").text, "BRANE1L");
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST(Shortcuts, ChartWord) {
    for (const char *word : {"sid", "SID"})
        EXPECT_TRUE(isChartWord(word)) << word;
    for (const char *word : {"Sid", "sId", "sid ", ""})
        EXPECT_FALSE(isChartWord(word)) << word;
}

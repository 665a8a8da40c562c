#include "clientlink/commandwords.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace tarvos;

namespace {

QString described(const CommandWord &word) {
    QStringList parts;
    for (const CommandStep &step : word.steps)
        parts << describe(step);
    return parts.join(QStringLiteral("; "));
}

const char *const kConfirmedAtis = "TowerAtis; CommandDone";

struct WordCase {
    const char *text; // UTF-8
    int row;
    int test;
    QString steps;
};

// Each word, its near misses, and the texts where two tests could both claim a word.
const WordCase kWords[] = {
    {"atis", 0, 1, "EmptyField; TowerAtis; CommandDone"},
    {"ATIS", 0, 0, ""},
    {"ati", 0, 0, ""},
    {"atis ", 0, 0, ""},
    {"alpha", 3, 2, "EmptyField; LetterReset; CommandDone"},
    {"freq 121.80!", 0, 3, QStringLiteral("SetLabel5 \"121.80\"; ") + kConfirmedAtis},
    {"freq!", 0, 3, QStringLiteral("SetLabel5 \"\"; ") + kConfirmedAtis},
    {"freqx!", 0, 3, QStringLiteral("SetLabel5 \"\"; ") + kConfirmedAtis},
    {"freq 121.80", 0, 0, ""},
    {"Freq 121.80!", 0, 0, ""},
    {"rem QNH 1013!", 1, 4, QStringLiteral("SetLabel7 \"QNH 1013\"; ") + kConfirmedAtis},
    {"rem!", 1, 4, QStringLiteral("SetLabel7 \"\"; ") + kConfirmedAtis},
    {"atc EDDT_TWR!", 2, 5, QStringLiteral("SetLabel5 \"EDDT_TWR\"; ") + kConfirmedAtis},
    {"atc!", 2, 5, QStringLiteral("SetLabel5 \"\"; ") + kConfirmedAtis},
    {"con EDBB_APP 119.85!", 6, 6,
     QStringLiteral("SetLabel7 \"EDBB_APP 119.85\"; ") + kConfirmedAtis},
    {"con!", 6, 6, QStringLiteral("SetLabel7 \"\"; ") + kConfirmedAtis},
    {"clr", 0, 7, "ClearRow; CommandDone"},
    {"clear", 5, 7, "ClearRow; CommandDone"},
    {"Clr", 0, 0, ""},
    {".ab.", 0, 8, "LookUpAtcShortcut \".ab\"; CommandDone"},
    {".ab", 0, 0, ""},
    {"...", 0, 8, "LookUpAtcShortcut \"..\"; CommandDone"},
    {".such.", 0, 8, "LookUpAtcShortcut \".such\"; CommandDone"},
    {"..", 0, 9, "HideShortcutDisplay; EmptyField; CommandDone"},
    {".", 0, 0, ""},
    {"prüf", 0, 10, "EmptyField; SetFlightPlanLabels 1; CommandDone"},
    {"Prüf", 0, 0, ""},
    {"pruf", 0, 0, ""},
    {"wech", 0, 11, "EmptyField; SetFlightPlanLabels 0; CommandDone"},
    {"imm", 0, 12, "EmptyField; SetDepContactMode 1; CommandDone"},
    {"adv", 0, 13, "EmptyField; SetDepContactMode 0; CommandDone"},
    {"rwde", 0, 14, "EmptyField; SetVoiceHost \"derw.ivao.org\"; CommandDone"},
    {"rwbe", 0, 14, "EmptyField; SetVoiceHost \"berw.ivao.org\"; CommandDone"},
    {"tsbe", 0, 14, "EmptyField; SetVoiceHost \"bets.ivao.org\"; CommandDone"},
    {"rwts", 0, 14, "EmptyField; SetVoiceHost \"ts.ivao.org\"; CommandDone"},
    {"tsbr", 0, 14, "EmptyField; SetVoiceHost \"brts.ivao.org\"; CommandDone"},
    {"RWDE", 0, 0, ""},
    {"rw:foo.ivao.org", 0, 15, "SetVoiceHost \"foo.ivao.org\"; EmptyField; CommandDone"},
    {"rw:foo.net", 0, 0, ""},
    {"rw:rwde", 0, 0, ""},
    {"???", 0, 16,
     "SetRemarks 0 \"clr, imm/adv,eins/zwei,atc/con,ip?,sid\"; "
     "SetRemarks 1 \"autosid/nosid,rwde/rwts/rwbe/tsbe/tsbr\"; "
     "SetRemarks 2 \"rw:xx.xx.ivao.org / suchxxx.\"; CommandDone; EmptyField"},
    {"???", 4, 16,
     "SetRemarks 0 \"clr, imm/adv,eins/zwei,atc/con,ip?,sid\"; "
     "SetRemarks 1 \"autosid/nosid,rwde/rwts/rwbe/tsbe/tsbr\"; "
     "SetRemarks 2 \"rw:xx.xx.ivao.org / suchxxx.\"; CommandDone; EmptyField"},
    {"???", 5, 16, "SetRemarks 0 \"clr, imm/adv,eins/zwei,atc/con,ip?,sid\"; EmptyField"},
    {"???", 6, 16, "SetRemarks 0 \"clr, imm/adv,eins/zwei,atc/con,ip?,sid\"; EmptyField"},
    {"??", 0, 0, ""},
    {"suchDLH123.", 0, 17, "CommandDone; CountInStripLog; EmptyField"},
    {"such.", 2, 17, "CommandDone; CountInStripLog; EmptyField"},
    {"suchDLH123", 0, 0, ""},
    {"111", 0, 18, "EmptyField; SetWindowHeight 2475; CommandDone"},
    {"333", 0, 18, "EmptyField; SetWindowHeight 3305; CommandDone"},
    {"777", 0, 18, "EmptyField; SetWindowHeight 4965; CommandDone"},
    {"888", 0, 0, ""},
    {"000", 0, 0, ""},
    {"331", 0, 0, ""},
    {"autosid", 0, 19, "EmptyField; SetAutoSid 1; CommandDone"},
    {"nosid", 0, 20, "EmptyField; SetAutoSid 0; CommandDone"},
    {"depeddt", 0, 21, "EmptyField; CommandDone; ListTraffic \"EDDT\""},
    {"depatis", 0, 21, "EmptyField; CommandDone; ListTraffic \"ATIS\""},
    {"dep eddt", 0, 0, ""},
    {"depedd", 0, 0, ""},
    {"Depeddt", 0, 0, ""},
    {"sid", 0, 22, "EmptyField; ShowChart; CommandDone"},
    {"SID", 0, 0, ""},
    {"ip?", 0, 23, "EmptyField; EchoIpAddress; CommandDone"},
    {"ip", 0, 0, ""},
    {"eins", 0, 24, "SetGroundCheckMode 1; EmptyField; CommandDone"},
    {"zwei", 0, 25, "EmptyField; SetGroundCheckMode 2; CommandDone"},
    {"", 0, 0, ""},
    {"DLH123", 0, 0, ""},
    {"Lufthansa DLH", 0, 0, ""},
};

TEST(CommandWords, EachWordAndItsNearMisses) {
    for (const WordCase &c : kWords) {
        const QString text = QString::fromUtf8(c.text);
        const CommandWord word = interpretCommand(text, c.row);
        EXPECT_EQ(word.test, c.test) << c.text << " in row " << c.row;
        EXPECT_EQ(described(word).toStdString(), c.steps.toStdString())
            << c.text << " in row " << c.row;
    }
}

TEST(CommandWords, HugeTextsAreOrdinaryOrKeepTheirLine) {
    const QString filler(100000, QLatin1Char('x'));
    EXPECT_FALSE(interpretCommand(filler, 0).recognised());
    const CommandWord freq =
        interpretCommand(QStringLiteral("freq ") + filler + QLatin1Char('!'), 0);
    ASSERT_EQ(freq.test, 3);
    EXPECT_EQ(freq.steps.front().text, filler);
}

// The ATC client's shortcut file: the text starts 12 characters after the shortcut.
struct ShortcutCase {
    const char *name;
    QByteArray file;
    const char *key;
    std::optional<QString> expected;
};

// A line of the file: the shortcut, 12 characters of layout, then the text.
QByteArray line(const QByteArray &shortcut, const QByteArray &text) {
    return shortcut + QByteArray(12, ' ') + text;
}

TEST(AtcShortcutFile, FindsTheFirstLineOfTheShortcut) {
    const QByteArray megabyte(1024 * 1024, 'q');
    const ShortcutCase cases[] = {
        {"LF", line(".ab", "Taxi via A") + "\n", ".ab", QStringLiteral("Taxi via A")},
        {"CR LF", ".xy  \r\n" + line(".ab", "Taxi via A") + "\r\n", ".ab",
         QStringLiteral("Taxi via A")},
        {"mixed, last line without end", ".x\r\n.y\n" + line(".ab", "Taxi via A"), ".ab",
         QStringLiteral("Taxi via A")},
        {"first match wins", line(".ab", "one") + "\n" + line(".ab", "two") + "\n", ".ab",
         QStringLiteral("one")},
        // The typed shortcut is compared as a prefix and its own length places the text.
        {"prefix of a longer shortcut", line(".abc", "Taxi via B") + "\n", ".ab",
         QStringLiteral(" Taxi via B")},
        {"line no longer than the shortcut", ".ab\n", ".ab", QString()},
        {"matching line shorter than its layout", ".\n\n.a\n.ab  short\n", ".ab", QString()},
        {"binary junk before", QByteArray("\x00\xff\xfe.ab\x01\n", 8) + line(".ab", "ok"), ".ab",
         QStringLiteral("ok")},
        {"a megabyte line before", megabyte + "\n" + line(".ab", "after") + "\n", ".ab",
         QStringLiteral("after")},
        {"Windows-1252 text", line(".wx", "B\xf6\x65n") + "\r\n", ".wx", QStringLiteral(u"Böen")},
        {"not in the file", line(".ac", "Taxi") + "\n", ".ab", std::nullopt},
        {"empty file", "", ".ab", std::nullopt},
        {"case matters", line(".AB", "Taxi") + "\n", ".ab", std::nullopt},
    };
    for (const ShortcutCase &c : cases) {
        QByteArray bytes = c.file;
        QBuffer buffer(&bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        EXPECT_EQ(findAtcShortcut(buffer, QString::fromUtf8(c.key)), c.expected) << c.name;
    }
}

} // namespace

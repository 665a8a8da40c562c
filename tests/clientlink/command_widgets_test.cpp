#include "clientlink/commandcontroller.h"
#include "clientlink/commandwords.h"
#include "clientlink/form4.h"
#include "clientlink/form5.h"
#include "clientlink/groundinfocontroller.h"
#include "console/consolestate.h"
#include "console/form1.h"
#include "console/servers.h"
#include "fakes/fakeplatform.h"
#include "fakes/testfiles.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarvos;
using tarvos::testing::writeFile;

namespace {

class CommandWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        state.voicehost = servers::kDefaultVoiceHost;
        state.startsquawk = QStringLiteral("1000");
        state.lastsquawk = QStringLiteral("1001");
        // What the composition root does: the words run on every change of a callsign field.
        for (int r = 0; r < Form1::kRows; ++r)
            QObject::connect(form.Text7[r], &QLineEdit::textChanged, &commands,
                             [this, r] { commands.interpret(r); });
        auto record = [this](const char *name) { return [this, name] { asked << name; }; };
        QObject::connect(&commands, &CommandController::towerAtisWanted, record("abc1"));
        QObject::connect(&commands, &CommandController::letterResetWanted, record("alpha"));
        QObject::connect(&commands, &CommandController::greetingWanted, [this] {
            // getaircraft reads row 0's callsign: the word must still be there.
            asked << QStringLiteral("getaircraft ") + form.Text7[0]->text();
        });
        QObject::connect(&commands, &CommandController::trafficListingWanted,
                         [this] { asked << QStringLiteral("listing ") + state.depsearchcode; });
        QObject::connect(&commands, &CommandController::chartWanted, record("chart"));
        QObject::connect(&commands, &CommandController::ipEchoWanted,
                         [this](int row) { asked << QStringLiteral("ip %1").arg(row); });
    }

    // Typing, one character at a time at the caret.
    void type(int row, const QString &text) {
        for (QChar c : text)
            form.Text7[row]->insert(QString(c));
    }
    bool confirming() const {
        return form.Label18->isHidden() && !form.Label19->isHidden() && form.Timer6->isActive();
    }
    // Every strip field but the callsigns, row by row.
    QStringList stripFields() const {
        QStringList out;
        for (int r = 0; r < Form1::kRows; ++r) {
            for (Field *f : {form.Text8[r], form.Text9[r], form.Text10[r], form.Text11[r]})
                out << f->text();
        }
        return out;
    }
    void fillStrips() {
        for (int r = 0; r < Form1::kRows; ++r) {
            form.Text8[r]->setText(QStringLiteral("EDDM%1").arg(r));
            form.Text9[r]->setText(QStringLiteral("BKD5L"));
            form.Text10[r]->setText(QStringLiteral("100%1").arg(r));
            form.Text11[r]->setText(QStringLiteral("remark %1").arg(r));
        }
    }

    QTemporaryDir tmp;
    ConsoleState state;
    tarvos::testing::FakePlatform fake;
    Form1 form;
    GroundInfoController ground{state, fake.stacking};
    QString shortcutPath = QDir(tmp.path()).filePath(QStringLiteral("shortcut.txt"));
    CommandController commands{form, state, fake.clipboard, [this] { return shortcutPath; },
                               ground};
    QStringList asked;
};

TEST_F(CommandWidgetTest, TypedWordRunsOnceEmptiesTheFieldAndConfirms) {
    form.Label18->setText(QStringLiteral("-----"));
    int changes = 0;
    QObject::connect(form.Text7[2], &QLineEdit::textChanged, [&] { ++changes; });
    type(2, QStringLiteral("atis"));
    EXPECT_EQ(form.Text7[2]->text(), "");
    EXPECT_EQ(asked, QStringList{"abc1"}); // the inner run on the empty field found nothing
    EXPECT_EQ(changes, 5);                 // a, at, ati, atis and the emptying
    EXPECT_TRUE(confirming());
    EXPECT_EQ(form.Label18->text(), "derw.");
    EXPECT_EQ(form.Timer6->interval(), 1000);
    EXPECT_EQ(state.commanddone, 0);
}

TEST_F(CommandWidgetTest, OrdinaryCallsignsAndCapitalsStayAsTyped) {
    for (const char *text : {"ATIS", "Clr", "dep eddt", "rw:foo.net", ".ab", "DLH123"}) {
        // Pasted: typed, "dep eddt" would be "dep edd" (a word) on its way.
        form.Text7[1]->setText(QString::fromLatin1(text));
        EXPECT_EQ(form.Text7[1]->text(), text);
    }
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_FALSE(confirming());
    EXPECT_TRUE(form.Text23->isHidden());
}

TEST_F(CommandWidgetTest, LabelWordsKeepTheirText) {
    struct {
        const char *text;
        Caption *label;
        const char *line;
    } cases[] = {{"freq 121.80!", form.Label5, "121.80"},
                 {"rem QNH 1013!", form.Label7, "QNH 1013"},
                 {"atc EDDT_TWR!", form.Label5, "EDDT_TWR"},
                 {"con EDBB_APP!", form.Label7, "EDBB_APP"},
                 {"freq!", form.Label5, ""},
                 {"con!", form.Label7, ""}};
    for (const auto &c : cases) {
        c.label->setText(QStringLiteral("before"));
        form.Text7[0]->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(form.Text7[0]->text(), c.text);
        EXPECT_EQ(c.label->text(), c.line) << c.text;
        form.Text7[0]->clear();
    }
    EXPECT_EQ(asked.size(), 6);
    EXPECT_TRUE(confirming());
}

TEST_F(CommandWidgetTest, HelpNeedsTwoRowsBelowForItsLastLines) {
    form.Text7[4]->setText(QStringLiteral("???"));
    EXPECT_EQ(form.Text11[4]->text(), "clr, imm/adv,eins/zwei,atc/con,ip?,sid");
    EXPECT_EQ(form.Text11[5]->text(), "autosid/nosid,rwde/rwts/rwbe/tsbe/tsbr");
    EXPECT_EQ(form.Text11[6]->text(), "rw:xx.xx.ivao.org / suchxxx.");
    EXPECT_EQ(form.Text7[4]->text(), "");
    EXPECT_TRUE(confirming());

    for (int row : {5, 6}) {
        form.Label19->hide();
        form.Label18->show();
        form.Timer6->stop();
        fillStrips();
        const QStringList before = stripFields();
        form.Text7[row]->setText(QStringLiteral("???"));
        QStringList expected = before;
        expected[row * 4 + 3] = helpLine(0);
        EXPECT_EQ(stripFields(), expected) << row;
        EXPECT_EQ(form.Text7[row]->text(), "");
        EXPECT_FALSE(confirming()) << row;
    }
}

TEST_F(CommandWidgetTest, WindowHeightWords) {
    form.Text7[3]->setText(QStringLiteral("333"));
    EXPECT_EQ(form.heightTwips(), 3305);
    EXPECT_EQ(Form1::topTwipsOf(form.Command5), 1365);
    form.Text7[3]->setText(QStringLiteral("777"));
    EXPECT_EQ(form.heightTwips(), 4965);
}

TEST_F(CommandWidgetTest, GroundInfoCheckColumns) {
    const QColor green(0, 255, 0);
    const QColor face = QApplication::palette().color(QPalette::Button);
    auto column = [this](int c) {
        QList<QColor> colours;
        for (int r = 0; r < Form4::kRows; ++r)
            colours << ground.window().check(r, c)->palette().color(QPalette::Window);
        return colours;
    };
    form.Text7[0]->setText(QStringLiteral("eins"));
    EXPECT_EQ(state.groundcheckmode, 1);
    EXPECT_EQ(column(0), QList<QColor>(Form4::kRows, green));
    EXPECT_EQ(column(1), QList<QColor>(Form4::kRows, face));
    EXPECT_FALSE(ground.window().isVisible());
    form.Text7[6]->setText(QStringLiteral("zwei"));
    EXPECT_EQ(state.groundcheckmode, 2);
    EXPECT_EQ(column(1), QList<QColor>(Form4::kRows, green));
    EXPECT_TRUE(confirming());
}

TEST_F(CommandWidgetTest, AtcClientShortcuts) {
    writeFile(shortcutPath, ".x\r\n.ab            Taxi via A\r\n.ac            Taxi via C\n");
    form.Text7[1]->setText(QStringLiteral(".ab."));
    EXPECT_EQ(form.Text23->text(), "Taxi via A");
    EXPECT_FALSE(form.Text23->isHidden());
    EXPECT_EQ(fake.clipboard.text(), "Taxi via A");
    EXPECT_EQ(form.Text7[1]->text(), "");
    EXPECT_TRUE(confirming());

    // Not in the file: the field keeps the shortcut, the display what it showed, "OK" anyway.
    form.Timer6->stop();
    form.Text7[1]->setText(QStringLiteral(".zz."));
    EXPECT_EQ(form.Text7[1]->text(), ".zz.");
    EXPECT_EQ(form.Text23->text(), "Taxi via A");
    EXPECT_TRUE(confirming());

    form.Text7[1]->setText(QStringLiteral(".."));
    EXPECT_TRUE(form.Text23->isHidden());
    EXPECT_EQ(form.Text7[1]->text(), "");
}

TEST_F(CommandWidgetTest, MissingShortcutFileIsSaidInTheDisplay) {
    fake.clipboard.m_text = QStringLiteral("clearance");
    form.Text7[0]->setText(QStringLiteral(".ab."));
    EXPECT_EQ(form.Text23->text(), atcShortcutFileUnreadableText(shortcutPath));
    EXPECT_FALSE(form.Text23->isHidden());
    EXPECT_EQ(form.Text7[0]->text(), ".ab.");
    EXPECT_EQ(fake.clipboard.text(), "clearance");
}

TEST_F(CommandWidgetTest, HundredThousandCharacterPaste) {
    writeFile(shortcutPath, ".ab            Taxi via A\n");
    fillStrips();
    const QStringList before = stripFields();
    // The field holds what a line edit can take; whatever that is, it is a callsign.
    for (const QString &paste : {QString(100000, QLatin1Char('D')),
                                 QStringLiteral(".ab") + QString(99996, QLatin1Char('.'))}) {
        form.Text7[0]->clear();
        form.Text7[0]->insert(paste);
        EXPECT_EQ(form.Text7[0]->text(), paste.left(form.Text7[0]->maxLength()));
    }
    EXPECT_EQ(stripFields(), before);
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(CommandWidgetTest, WordsThatCallOutOrSwitch) {
    type(0, QStringLiteral("suchDLH123."));
    type(3, QStringLiteral("depeddt"));
    type(2, QStringLiteral("alpha"));
    type(5, QStringLiteral("ip?"));
    EXPECT_EQ(asked, (QStringList{"getaircraft suchDLH123.", "listing EDDT", "alpha", "ip 5"}));

    type(1, QStringLiteral("prüf"));
    EXPECT_EQ(state.flightplanlabels, 1);
    EXPECT_FALSE(form.Label12->isHidden());
    type(1, QStringLiteral("wech"));
    EXPECT_EQ(state.flightplanlabels, 0);
    EXPECT_TRUE(form.Label11->isHidden() && form.Label12->isHidden() && form.Label13->isHidden());

    type(1, QStringLiteral("imm"));
    EXPECT_EQ(state.depcontactmode, 1);
    type(1, QStringLiteral("nosid"));
    EXPECT_EQ(state.autosidswitch, 0);
    type(1, QStringLiteral("rwts"));
    EXPECT_EQ(state.voicehost, servers::kVoiceTeamSpeakMain);
    form.Text7[1]->setText(QStringLiteral("rw:foo.ivao.org"));
    EXPECT_EQ(state.voicehost, "foo.ivao.org");
    EXPECT_EQ(form.Label18->text(), "foo.i");
}

TEST_F(CommandWidgetTest, ChartForTheLandingRunwayAndTheFocusBackInTheField) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Form5 chart;
    QObject::connect(&commands, &CommandController::chartWanted, [&] {
        chart.showChart(form.Text4->text(), form);
        form.Text4->setFocus(); // as if showing the chart had moved it
    });
    const std::pair<const char *, SidChart> cases[] = {{"26R", SidChart::East},
                                                       {"08L", SidChart::West}};
    for (const auto &[runway, expected] : cases) {
        chart.hide();
        form.Text4->setText(QString::fromLatin1(runway));
        form.Text7[4]->setFocus();
        type(4, QStringLiteral("sid"));
        EXPECT_TRUE(chart.isVisible()) << runway;
        EXPECT_EQ(chart.shownChart(), expected) << runway;
        EXPECT_EQ(QApplication::focusWidget(), form.Text7[4]) << runway;
    }
    EXPECT_EQ(asked, (QStringList{"chart", "chart"}));
}

// Every word in every row: the strips change only where the word names them, and the squawk
// state never.
TEST_F(CommandWidgetTest, EveryWordInEveryRow) {
    writeFile(shortcutPath, ".ab            Taxi via A\n");
    const char *words[] = {"atis",  "alpha", "freq 1!", "rem 2!", "atc 3!",  "con 4!", "clr",
                           "clear", ".ab.",  ".zz.",    "..",     "prüf",    "wech",   "imm",
                           "adv",   "rwde",  "rwbe",    "tsbe",   "rwts",    "tsbr",   "rw:a.org",
                           "???",   "such.", "111",     "777",    "autosid", "nosid",  "depeddt",
                           "sid",   "ip?",   "eins",    "zwei"};
    for (int row = 0; row < Form1::kRows; ++row) {
        for (const char *w : words) {
            const QString word = QString::fromUtf8(w);
            fillStrips();
            form.Text7[row]->clear();
            const QStringList before = stripFields();
            type(row, word);
            QStringList expected = before;
            if (word == "clr" || word == "clear") {
                for (int c = 0; c < 4; ++c)
                    expected[row * 4 + c].clear();
            } else if (word == "???") {
                for (int i = 0; i < (row < 5 ? 3 : 1); ++i)
                    expected[(row + i) * 4 + 3] = helpLine(i);
            }
            EXPECT_EQ(stripFields(), expected) << w << " in row " << row;
            const bool keeps = word.endsWith('!') || word == ".zz.";
            EXPECT_EQ(form.Text7[row]->text(), keeps ? word : QString()) << w << " row " << row;
            EXPECT_EQ(state.startsquawk, "1000");
            EXPECT_EQ(state.lastsquawk, "1001");
            EXPECT_EQ(state.commanddone, 0) << w << " in row " << row;
        }
    }
}

} // namespace

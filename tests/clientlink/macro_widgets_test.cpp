#include "clientlink/macrocontroller.h"
#include "console/form1.h"
#include "fakes/fakeinjector.h"
#include "fakes/fakeplatform.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tarvos;

namespace {

class MacroWidgetTest : public ::testing::Test {
protected:
    void SetUp() override { injector.pointer = QPoint(400, 300); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.Text1, key, modifiers);
    }

    Form1 form;
    tarvos::testing::FakeInjector injector;
    tarvos::testing::FakeScreen screen; // 1024 x 768
    tarvos::testing::FakeMessageBox messages;
    MacroController macros{form, injector, screen, messages};
};

TEST_F(MacroWidgetTest, MenuMacroBClicksThroughTheMenuAndComesBack) {
    press(Qt::Key_F2);
    const QStringList expected{"down left",    "up left",   "down right",  "up right",
                               "move 410,305", "down left", "up left",     "move 560,335",
                               "down left",    "up left",   "move 644,12", "down left",
                               "up left",      "pause 30",  "activate",    "move 400,300"};
    EXPECT_EQ(injector.calls, expected);
}

TEST_F(MacroWidgetTest, KeyMacrosTypeTheirKeysInOrder) {
    struct {
        Qt::Key key;
        int f11, f12;
    } cases[] = {
        {Qt::Key_F5, 20, 0}, {Qt::Key_F6, 20, 9}, {Qt::Key_F7, 20, 10}, {Qt::Key_F8, 0, 20}};
    for (const auto &c : cases) {
        injector.calls.clear();
        press(c.key, Qt::ShiftModifier); // Shift makes no difference
        QStringList keys = injector.calls.filter(QStringLiteral("key "));
        QStringList expected = QStringList(c.f11, "key F11") + QStringList(c.f12, "key F12");
        EXPECT_EQ(keys, expected) << c.key;
        // The ATC client takes the keyboard after the selecting click, before the first key.
        EXPECT_EQ(injector.calls.mid(0, 3), (QStringList{"down left", "up left", "await"}));
        EXPECT_EQ(injector.pointer, QPoint(400, 300));
    }
}

TEST_F(MacroWidgetTest, PointerAfterEachMacro) {
    const std::pair<Qt::Key, QPoint> cases[] = {{Qt::Key_F1, {400, 300}}, {Qt::Key_F2, {400, 300}},
                                                {Qt::Key_F3, {400, 300}}, {Qt::Key_F4, {560, 395}},
                                                {Qt::Key_F5, {400, 300}}, {Qt::Key_F8, {400, 300}}};
    for (const auto &[key, after] : cases) {
        injector.pointer = QPoint(400, 300);
        press(key);
        EXPECT_EQ(injector.pointer, after) << key;
    }
}

TEST_F(MacroWidgetTest, MenuMacroAClicksTheScreenCentreLast) {
    press(Qt::Key_F1);
    const qsizetype lastDown = injector.calls.lastIndexOf("down left");
    ASSERT_GT(lastDown, 0);
    EXPECT_EQ(injector.calls[lastDown - 1], "move 512,384");
    EXPECT_EQ(injector.calls.filter("key").size(), 0);
}

TEST_F(MacroWidgetTest, OtherKeysAreTheFieldsOwn) {
    for (Qt::Key key : {Qt::Key_F9, Qt::Key_F12, Qt::Key_Escape, Qt::Key_Return})
        press(key);
    QTest::keyClicks(form.Text1, QStringLiteral("260"));
    EXPECT_TRUE(injector.calls.isEmpty());
    EXPECT_EQ(form.Text1->text(), "260");
}

TEST_F(MacroWidgetTest, FocusBackInTheWindFieldExceptAfterMenuMacroA) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (int macro : {2, 3, 5, 6, 7, 8}) {
        form.Text3->setFocus();
        macros.run(macro);
        EXPECT_EQ(QApplication::focusWidget(), form.Text1) << macro;
    }
    form.Text3->setFocus();
    macros.run(1);
    EXPECT_EQ(QApplication::focusWidget(), form.Text3);
}

// After the keyboard came back another window may take it within 300 ms (an ATC client that read
// its click late): the console takes it back once more. After F1 the keyboard stays away.
TEST_F(MacroWidgetTest, TheKeyboardIsTakenBackOnceMoreWithin300Ms) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    constexpr int kNever = -1;
    struct {
        int macro, leavesAfterMs, activations;
    } cases[] = {{2, 0, 2}, {6, 100, 2}, {5, 200, 2}, {3, 450, 1}, {8, kNever, 1}, {1, 100, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << "F" << c.macro << ", away after " << c.leavesAfterMs);
        injector.calls.clear();
        form.Text3->setFocus();
        macros.run(c.macro);
        if (c.leavesAfterMs != kNever)
            QTimer::singleShot(c.leavesAfterMs, [&] { injector.keyboardHere = false; });
        QTest::qWait(500);
        EXPECT_FALSE(macros.keepingTheKeyboard());
        EXPECT_EQ(injector.calls.count("activate"), c.activations);
        if (c.activations > 0) {
            EXPECT_EQ(QApplication::focusWidget(), form.Text1);
        }
        injector.keyboardHere = true;
    }
}

TEST_F(MacroWidgetTest, TheNextMacroEndsTheWatchItsClicksWouldMeet) {
    macros.run(2);
    ASSERT_TRUE(macros.keepingTheKeyboard());
    macros.run(1); // its clicks take the keyboard to the ATC client on purpose
    injector.keyboardHere = false;
    injector.calls.clear();
    QTest::qWait(400);
    EXPECT_FALSE(injector.calls.contains("activate"));
}

TEST_F(MacroWidgetTest, WithoutInjectionTheFirstKeySaysSoOnce) {
    injector.canInject = false;
    press(Qt::Key_F2);
    press(Qt::Key_F6);
    press(Qt::Key_F1);
    EXPECT_EQ(messages.shown, QStringList{MacroController::unavailableText()});
    EXPECT_TRUE(injector.calls.isEmpty());
}

} // namespace

// The F-key macros with real synthetic input on Windows (under Wine on the virtual display): a
// Win32 program stands in for the ATC client and writes down the button and key messages it
// receives; the console's window is a real one on the same desktop.

#include "clientlink/macrocontroller.h"
#include "clientlink/macros.h"
#include "console/form1.h"
#include "fakes/fakeplatform.h"
#include "fakes/qtprint.h"
#include "macroinput.h"
#include "platform/sendinputinjector.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>

using namespace tarvos;

namespace {

using namespace tarvos::testing;

class SendInputMacroTest : public ::testing::Test {
protected:
    void SetUp() override { startClient(extraArguments()); }
    void startClient(const QStringList &extra) {
        client.setProgram(QStringLiteral(TARVOS_STANDIN));
        client.setArguments(QStringList{QString::number(kStandInLeft), QString::number(kStandInTop),
                                        QString::number(kStandInWidth),
                                        QString::number(kStandInHeight)} +
                            extra);
        client.start();
        ASSERT_TRUE(client.waitForStarted(10000));
        ASSERT_EQ(lines(1, 20000), QStringList{"ready"});
        // The controller points at an aircraft in the ATC client.
        SetCursorPos(kP.x(), kP.y());
        QTest::qWait(200);
    }
    virtual QStringList extraArguments() const { return {}; }
    void TearDown() override { endClient(); }
    void endClient() {
        client.closeWriteChannel();
        if (!client.waitForFinished(5000))
            client.kill();
        pending.clear();
    }

    // The lines the stand-in wrote, until `count` of them or `ms` milliseconds.
    QStringList lines(int count, int ms = 3000) {
        QElapsedTimer clock;
        clock.start();
        while (pending.size() < count && clock.elapsed() < ms) {
            client.waitForReadyRead(50);
            while (client.canReadLine())
                pending << QString::fromLatin1(client.readLine()).trimmed();
        }
        QStringList out = pending.mid(0, count);
        pending = pending.mid(out.size());
        return out;
    }
    static QPoint pointer() {
        POINT p{};
        GetCursorPos(&p);
        return QPoint(p.x, p.y);
    }

    QProcess client;
    QStringList pending;
    Form1 form;
    SendInputInjector injector;
    tarvos::testing::FakeScreen screen;
    tarvos::testing::FakeMessageBox messages;
    MacroController macros{form, injector, screen, messages};
};

TEST_F(SendInputMacroTest, MenuMacroBClicksAtItsOffsetsAndBringsThePointerBack) {
    QTest::keyClick(form.Text1, Qt::Key_F2);
    const QStringList expected = menuMacroBInput();
    EXPECT_EQ(asLines(lines(expected.size())), asLines(expected));
    // The last click, on the console spot, lies outside the window.
    EXPECT_EQ(lines(1, 300), QStringList());
    EXPECT_EQ(pointer(), kP);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SendInputMacroTest, KeyMacroTypesTwentyF11ThenNineF12) {
    QTest::keyClick(form.Text1, Qt::Key_F6);
    const QStringList expected = keyMacroF6Input();
    EXPECT_EQ(asLines(lines(expected.size())), asLines(expected));
    EXPECT_EQ(lines(1, 300), QStringList());
    EXPECT_EQ(pointer(), kP);
}

// F2 and F6 against clients that take the keyboard at once, late, or never, with the console
// shown and in front: the client gets exactly the macro's input (the keys only once it has the
// keyboard), the pointer comes back, the wind field gets the keyboard back and keeps it, and no
// macro takes more than its second of waiting (and its fixed pause, and a margin for sending
// the input).
TEST_F(SendInputMacroTest, EachClientIsServedWithinASecond) {
    form.move(0, 700);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const auto console = reinterpret_cast<HWND>(form.winId());
    const struct {
        const char *focusAfter, *client;
    } rows[] = {{"0", "takes the keyboard at once"},
                {"50", "takes the keyboard after 50 ms"},
                {"150", "takes the keyboard after 150 ms"},
                {"never", "never takes the keyboard"}};
    for (const auto &row : rows) {
        endClient();
        startClient({QStringLiteral("0"), QString::fromLatin1(row.focusAfter)});
        const bool clientGetsKeys = std::strcmp(row.focusAfter, "never") != 0;
        for (Qt::Key key : {Qt::Key_F2, Qt::Key_F6}) {
            const QStringList expected = key == Qt::Key_F2 ? menuMacroBInput()
                                         : clientGetsKeys  ? keyMacroF6Input()
                                                           : click(1, kP);
            SCOPED_TRACE(::testing::Message()
                         << "F" << key - Qt::Key_F1 + 1 << ", a client that " << row.client);
            form.activateWindow();
            form.Text1->setFocus();
            ASSERT_TRUE(QTest::qWaitFor([&] { return GetForegroundWindow() == console; }, 2000));
            QElapsedTimer clock;
            clock.start();
            QTest::keyClick(form.Text1, key);
            const qint64 handler = clock.elapsed();
            while (macros.keepingTheKeyboard())
                QTest::qWait(1);
            const qint64 all = clock.elapsed();
            EXPECT_LT(all, kMacroWaitMs + kMacroPauseMs + 150);
            std::printf("Windows: F%d, a client that %s: %lld ms in the key's handler, %lld ms "
                        "with the watch over the keyboard\n",
                        key - Qt::Key_F1 + 1, row.client, static_cast<long long>(handler),
                        static_cast<long long>(all));
            EXPECT_EQ(asLines(lines(expected.size())), asLines(expected));
            EXPECT_EQ(lines(1, 300), QStringList());
            EXPECT_EQ(pointer(), kP);
            EXPECT_TRUE(QTest::qWaitFor([&] { return GetForegroundWindow() == console; }, 2000));
            EXPECT_TRUE(QTest::qWaitFor([&] {
                return QApplication::activeWindow() == &form &&
                       QApplication::focusWidget() == form.Text1;
            }));
        }
    }
}

// An ATC client that hangs after the click costs the console a second at most.
class SendInputBusyClientTest : public SendInputMacroTest {
protected:
    QStringList extraArguments() const override { return {QStringLiteral("5000")}; }
};

TEST_F(SendInputBusyClientTest, KeyMacroWaitsASecondAtMost) {
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(form.Text1, Qt::Key_F6);
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_EQ(pointer(), kP);
}

} // namespace

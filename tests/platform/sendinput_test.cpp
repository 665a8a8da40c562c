// The F-key macros with real synthetic input on Windows (under Wine on the virtual display): a
// Win32 program stands in for the ATC client and writes down the button and key messages it
// receives.

#include "clientlink/macrocontroller.h"
#include "console/form1.h"
#include "fakes/fakeplatform.h"
#include "fakes/qtprint.h"
#include "macroinput.h"
#include "platform/sendinputinjector.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include <windows.h>

using namespace tarvos;

namespace {

using namespace tarvos::testing;

class SendInputMacroTest : public ::testing::Test {
protected:
    void SetUp() override {
        client.setProgram(QStringLiteral(TARVOS_STANDIN));
        client.setArguments(QStringList{QString::number(kStandInLeft), QString::number(kStandInTop),
                                        QString::number(kStandInWidth),
                                        QString::number(kStandInHeight)} +
                            extraArguments());
        client.start();
        ASSERT_TRUE(client.waitForStarted(10000));
        ASSERT_EQ(lines(1, 20000), QStringList{"ready"});
        // The controller points at an aircraft in the ATC client.
        SetCursorPos(kP.x(), kP.y());
        QTest::qWait(200);
    }
    virtual QStringList extraArguments() const { return {}; }
    void TearDown() override {
        client.closeWriteChannel();
        if (!client.waitForFinished(5000))
            client.kill();
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

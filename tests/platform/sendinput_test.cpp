// The F-key macros with real synthetic input on Windows (under Wine on the virtual display): a
// Win32 program stands in for the ATC client and writes down the button and key messages it
// receives; the console's window is a real one on the same desktop.

#include "clientlink/macrocontroller.h"
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

// Each returning macro against clients that take the keyboard at once (as the desktop gives
// it on the click), late, or never, with the console shown and in front: the client gets
// exactly the macro's input, the pointer comes back, and the wind field gets the keyboard back
// and keeps it, within the macro's second.
TEST_F(SendInputMacroTest, EachClientIsServedWithinASecond) {
    form.move(0, 700);
    form.show();
    const auto console = reinterpret_cast<HWND>(form.winId());
    for (const StandIn &standIn : kStandIns) {
        endClient();
        startClient(standIn.focusAfterMs == 0 ? QStringList()
                    : standIn.focusAfterMs
                        ? QStringList{"0", QString::number(*standIn.focusAfterMs)}
                        : QStringList{"0", "never"});
        for (Qt::Key key : kReturningMacros) {
            const QString where = QStringLiteral("Windows, a client that %1").arg(standIn.name);
            SCOPED_TRACE(qPrintable(where));
            form.activateWindow();
            form.Text1->setFocus();
            ASSERT_TRUE(QTest::qWaitFor([&] { return GetForegroundWindow() == console; }, 2000));
            runTimed(form, macros, key, qPrintable(where));
            const QStringList expected = macroInput(key, standIn.focusAfterMs.has_value());
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

// The F-key macros with real synthetic input on Windows (under Wine on the virtual display): a
// Win32 program stands in for the ATC client and writes down the button and key messages it
// receives.

#include "clientlink/macrocontroller.h"
#include "console/form1.h"
#include "fakes/fakeplatform.h"
#include "fakes/qtprint.h"
#include "platform/sendinputinjector.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include <windows.h>

using namespace tarvos;

namespace {

// Where the stand-in window lies; the pointer rests at P inside it, and the console spot
// (644, 12) is outside.
constexpr int kLeft = 200, kTop = 300, kWidth = 400, kHeight = 300;
const QPoint kP(300, 400);

class SendInputMacroTest : public ::testing::Test {
protected:
    void SetUp() override {
        client.setProgram(QStringLiteral(TARVOS_STANDIN));
        client.setArguments({QString::number(kLeft), QString::number(kTop), QString::number(kWidth),
                             QString::number(kHeight)});
        client.start();
        ASSERT_TRUE(client.waitForStarted(10000));
        ASSERT_EQ(lines(1, 20000), QStringList{"ready"});
        // The controller points at an aircraft in the ATC client.
        SetCursorPos(kP.x(), kP.y());
        QTest::qWait(200);
    }
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
    static QStringList click(int button, QPoint at) {
        const QString where = QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
        return {QStringLiteral("down %1 ").arg(button) + where,
                QStringLiteral("up %1 ").arg(button) + where};
    }
    static QStringList keys(const char *name, int n) {
        QStringList out;
        for (int i = 0; i < n; ++i)
            out << QStringLiteral("press ") + name << QStringLiteral("release ") + name;
        return out;
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
    const QStringList expected =
        click(1, kP) + click(3, kP) + click(1, kP + QPoint(10, 5)) + click(1, kP + QPoint(160, 35));
    EXPECT_EQ(lines(expected.size()), expected);
    // The last click, on the console spot, lies outside the window.
    EXPECT_EQ(lines(1, 300), QStringList());
    EXPECT_EQ(pointer(), kP);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SendInputMacroTest, KeyMacroTypesTwentyF11ThenNineF12) {
    QTest::keyClick(form.Text1, Qt::Key_F6);
    const QStringList expected = click(1, kP) + keys("F11", 20) + keys("F12", 9);
    EXPECT_EQ(lines(expected.size()), expected);
    EXPECT_EQ(lines(1, 300), QStringList());
    EXPECT_EQ(pointer(), kP);
}

} // namespace

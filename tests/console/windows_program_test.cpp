// The built program on Windows (under Wine on the virtual display): its window appears with its
// title, a METAR on the clipboard and "ATIS" give the decoded row (which "APP" then reads out),
// and closing it, or the session's end, saves squawk.txt; Wine's own end of the session ends it
// as a close does.

#include "console/form1.h"
#include "fakes/qtprint.h"
#include "fakes/testfiles.h"
#include "strips/recovery.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using tarvos::Form1;
using tarvos::testing::fileBytes;

namespace {

const QByteArray kSquawk = "5051\r\n5103\r\nEDDB\r\n 3 \r\n";

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool openClipboard() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(20);
    }
    return false;
}

void setClipboardText(const QString &text) {
    ASSERT_TRUE(openClipboard());
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.utf16(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

QString clipboardText() {
    if (!openClipboard())
        return {};
    QString text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = QString::fromWCharArray(static_cast<const wchar_t *>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

struct Search {
    DWORD pid;
    const wchar_t *title;
    HWND found;
};

// The shown top-level window of that title that belongs to the process.
HWND findWindow(DWORD pid, const wchar_t *title) {
    Search search{pid, title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto *s = reinterpret_cast<Search *>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t text[64] = {};
            GetWindowTextW(window, text, 64);
            if (owner == s->pid && IsWindowVisible(window) && std::wcscmp(text, s->title) == 0) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A left click, as the controller's mouse gives it, at a point of the window's client area.
void click(HWND window, QPoint at) {
    POINT p{at.x(), at.y()};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    Sleep(100);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

class WindowsProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        tarvos::testing::writeFile(data.filePath("squawk.txt"), kSquawk);
        // The METAR download half a second after start stays on this machine and is refused.
        tarvos::testing::writeFile(data.filePath("network.txt"),
                                   "metar-network=http://127.0.0.1:9/{code}.TXT\n"
                                   "metar-noaa=http://127.0.0.1:9/metar?ids={code}\n"
                                   "airports=http://127.0.0.1:9/\n");
        // ATIS and APP find their tables, so that no created-file box waits for an OK.
        tarvos::testing::writeFile(data.filePath("atis.txt"), "APP|/EDBB_APP\r\n");
        tarvos::testing::writeFile(data.filePath("tl.txt"), "TL|ED|5000|1013|1046|TL60\r\n");
    }
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
    }
    HWND launch() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Wine draws the text of Qt's default font engine blank; FreeType's shows.
        environment.insert("QT_QPA_PLATFORM",
                           underWine() ? "windows:fontengine=freetype" : "windows");
        program.setProcessEnvironment(environment);
        program.setProgram(QStringLiteral(TARVOS_BINARY));
        program.setArguments({"--data-dir", QDir::toNativeSeparators(data.path())});
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start();
        if (!program.waitForStarted(20000))
            return nullptr;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 60000 && program.state() != QProcess::NotRunning) {
            if (HWND window = findWindow(static_cast<DWORD>(program.processId()), L"Tarvos V7.4"))
                return window;
            QTest::qWait(100);
        }
        return nullptr;
    }
    QString waitForClipboard(const QString &part, bool whole = false) {
        QString text;
        for (QElapsedTimer clock; !clock.isValid() || clock.elapsed() < 10000; QTest::qWait(100)) {
            if (!clock.isValid())
                clock.start();
            text = clipboardText();
            if (whole ? text == part : text.contains(part))
                break;
        }
        return text;
    }
    QByteArray savedSquawk() const { return fileBytes(data.filePath("squawk.txt")); }

    QTemporaryDir data;
    QProcess program;
};

} // namespace

TEST_F(WindowsProgramTest, TitleAtisAndCloseSavesTheSquawkState) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr) << "the console window did not appear; exit code "
                               << program.exitCode();
    // The buttons' places in the window, as the console lays them out.
    Form1 layout;
    const auto centre = [&](QWidget *button) {
        return button->mapTo(&layout, button->rect().center());
    };
    QTest::qWait(2000); // the start-up download has failed by now
    SetForegroundWindow(window);

    setClipboardText("EDDT 071220Z 26010KT CAVOK 05/02 Q1013 NOSIG");
    click(window, centre(layout.Command18));
    EXPECT_EQ(waitForClipboard("1220Z 26010KT CAVOK 05/02 Q1013 NOSIG", true),
              "1220Z 26010KT CAVOK 05/02 Q1013 NOSIG")
        << "ATIS leaves the METAR's tail on the clipboard";
    // The approach information reads the decoded row: its observation time.
    click(window, centre(layout.Command37));
    const QString approach = waitForClipboard(" 1220 Z");
    EXPECT_TRUE(approach.contains("_APP\r\nInformation ")) << qPrintable(approach);
    EXPECT_TRUE(approach.contains(" 1220 Z\r\n")) << qPrintable(approach);

    QFile::remove(data.filePath("squawk.txt"));
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(savedSquawk(), kSquawk);
}

TEST_F(WindowsProgramTest, SessionEndSavesTheSquawkStateBeforeTheMessageReturns) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    QFile::remove(data.filePath("squawk.txt"));
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                  10000, &answer),
              0);
    EXPECT_NE(answer, 0u) << "Tarvos does not hold up the log-off";
    // What waits for its second is written now; the session may still go on, and so does the
    // console.
    EXPECT_EQ(savedSquawk(), kSquawk);
    EXPECT_EQ(program.state(), QProcess::Running);
    QFile::remove(data.filePath("squawk.txt"));
    ASSERT_NE(SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                  10000, &answer),
              0);
    // Windows may end the process as soon as the message returns.
    EXPECT_EQ(savedSquawk(), kSquawk);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(savedSquawk(), kSquawk);
}

// wineboot ends Wine's session as Windows does: WM_QUERYENDSESSION, then WM_ENDSESSION, to every
// top-level window. The console, which has just restored a board and shows that it did, saves
// squawk.txt, removes its recovery file and ends, with no question in the way.
TEST_F(WindowsProgramTest, WinebootEndingTheSessionEndsTheConsoleAsACloseDoes) {
    if (!underWine())
        GTEST_SKIP() << "wineboot belongs to Wine";
    tarvos::BoardSnapshot board;
    board.rows[0].texts = {"Lufthansa DLH123", "EDDF", "BKD5L", "5052", ""};
    tarvos::testing::writeFile(data.filePath("recovery.tarvos"), tarvos::recoveryDocument(board));
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    QTest::qWait(1000);
    ASSERT_TRUE(QFile::exists(data.filePath("recovery.tarvos")));
    QFile::remove(data.filePath("squawk.txt"));
    QProcess wineboot;
    wineboot.start(QStringLiteral("wineboot.exe"), {QStringLiteral("--end-session")});
    // wineboot asks every top-level window of the session, this test's own too: the test's
    // messages are answered while it waits.
    ASSERT_TRUE(QTest::qWaitFor([&] { return wineboot.state() == QProcess::NotRunning; }, 60000));
    ASSERT_TRUE(program.waitForFinished(20000)) << "the console did not end";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(savedSquawk(), kSquawk);
    EXPECT_FALSE(QFile::exists(data.filePath("recovery.tarvos")));
}

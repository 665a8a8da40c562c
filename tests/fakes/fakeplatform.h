#pragma once

// In-memory stand-ins for everything outside the process, so that tests can see what the
// console put on the clipboard, which messages it showed and which windows it made topmost.

#include "fakes/fakehttptransfer.h"
#include "fakes/fakeinjector.h"
#include "platform/platform.h"
#include "platform/worker.h"

#include <QHash>
#include <QStringList>

namespace tarvos::testing {

class FakeClipboard final : public Clipboard {
public:
    QString text() const override { return m_text; }
    void clear() override {
        m_text.clear();
        ++clears;
    }
    void setText(const QString &text) override {
        m_text = text;
        ++sets;
    }
    QString m_text;
    int clears = 0;
    int sets = 0;
};

// Every message in `shown`, whether it waited for OK or not; `opened` only those that did not.
class FakeMessageBox final : public MessageBox {
public:
    void show(const QString &text, Icon icon) override {
        shown << text;
        icons << icon;
    }
    void open(const QString &text, Icon icon) override {
        show(text, icon);
        opened << text;
    }
    QStringList shown;
    QList<Icon> icons;
    QStringList opened;
};

class FakeBeeper final : public Beeper {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class FakeEditor final : public EditorLauncher {
public:
    bool openTextFile(const QString &path) override {
        opened << path;
        return succeed;
    }
    QStringList opened;
    bool succeed = true;
};

class FakeClock final : public Clock {
public:
    QDateTime now() const override { return current; }
    QDateTime current = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9));
};

class FakeScreen final : public ScreenInfo {
public:
    QSize sizePixels() const override { return size; }
    QSize size{1024, 768};
};

class FakeStacking final : public WindowStacking {
public:
    void setTopmost(QWidget *window, bool topmost) override {
        state[window] = topmost;
        ++calls;
    }
    bool isTopmost(QWidget *window) const { return state.value(window, false); }
    QHash<QWidget *, bool> state;
    int calls = 0;
};

// Runs each job at once on the window's thread, so that a handler ends inside the click that
// started it, as with the fake transfer.
class InlineWorker : public Worker {
public:
    QCoro::Task<> run(std::function<void()> job) override {
        job();
        co_return;
    }
};

// All fakes together, wired into one Platform.
struct FakePlatform {
    FakeClipboard clipboard;
    FakeMessageBox messages;
    FakeBeeper beeper;
    FakeEditor editor;
    FakeClock clock;
    FakeScreen screen;
    FakeStacking stacking;
    FakeInjector injector;
    FakeHttpTransfer transfer;
    InlineWorker worker;
    Platform platform = wirePlatform(*this);
};

} // namespace tarvos::testing

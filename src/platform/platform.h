#pragma once

// Everything Tarvos does outside its own process goes through these interfaces, so that the
// controllers can be tested with fakes and another desktop needs only another implementation.

#include <QDateTime>
#include <QSize>
#include <QString>

class QWidget;

namespace tarvos {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void clear() = 0;
    virtual void setText(const QString &text) = 0;
};

class MessageBox {
public:
    enum class Icon { None, Information };
    virtual ~MessageBox() = default;
    // A modal box with one OK button, titled "Tarvos"; returns when it is closed. The text is
    // shown as it stands, never read as markup.
    virtual void show(const QString &text, Icon icon = Icon::None) = 0;
    // The same box without waiting for it: it opens, and the call returns while the console
    // goes on. One such box at a time: a call while it is still open puts the new text into it
    // and brings it to the front.
    virtual void open(const QString &text, Icon icon = Icon::None) = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class EditorLauncher {
public:
    virtual ~EditorLauncher() = default;
    // Opens the file in the desktop's text editor and returns at once; false when nothing
    // could be started.
    virtual bool openTextFile(const QString &path) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    virtual QSize sizePixels() const = 0;
};

class HttpTransfer;
class InputInjector;
class Worker;

class WindowStacking {
public:
    virtual ~WindowStacking() = default;
    // Keeps the window above all others (or not) without moving, resizing or re-showing it.
    virtual void setTopmost(QWidget *window, bool topmost) = 0;
};

// The desktop services, one of each. The composition root hands each controller only the ones it
// uses.
struct Platform {
    Clipboard *clipboard = nullptr;
    MessageBox *messages = nullptr;
    Beeper *beeper = nullptr;
    EditorLauncher *editor = nullptr;
    Clock *clock = nullptr;
    ScreenInfo *screen = nullptr;
    WindowStacking *stacking = nullptr;
    InputInjector *injector = nullptr;
    HttpTransfer *transfer = nullptr;
    Worker *worker = nullptr;
};

// The one wiring of a set of implementations (the desktop's, or the tests' fakes) that names
// its members as Platform does.
template <class Services> Platform wirePlatform(Services &services) {
    return Platform{&services.clipboard, &services.messages, &services.beeper,   &services.editor,
                    &services.clock,     &services.screen,   &services.stacking, &services.injector,
                    &services.transfer,  &services.worker};
}

} // namespace tarvos

#pragma once

#include "platform/platform.h"
#include "platform/qthttptransfer.h"
#include "platform/reusinghttptransfer.h"
#include "platform/worker.h"

#include <QtGlobal>
#ifdef Q_OS_WIN
#include "platform/sendinputinjector.h"
#else
#include "platform/xtestinjector.h"
#endif

#include <QPointer>

#include <memory>

class QMessageBox;

namespace tarvos {

class QtClipboard final : public Clipboard {
public:
    QString text() const override;
    void clear() override;
    void setText(const QString &text) override;
};

class QtMessageBox final : public MessageBox {
public:
    ~QtMessageBox() override;
    void show(const QString &text, Icon icon) override;
    void open(const QString &text, Icon icon) override;

private:
    QPointer<QMessageBox> m_open; // the box of open() while it is on the screen
};

class QtBeeper final : public Beeper {
public:
    void beep() override;
};

class DesktopEditorLauncher final : public EditorLauncher {
public:
    bool openTextFile(const QString &path) override;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

class QtScreenInfo final : public ScreenInfo {
public:
    QSize sizePixels() const override;
};

class QtWindowStacking final : public WindowStacking {
public:
    void setTopmost(QWidget *window, bool topmost) override;
};

#ifdef Q_OS_WIN
using DesktopInjector = SendInputInjector;
#else
using DesktopInjector = XTestInjector;
#endif

// Owns one instance of every desktop implementation.
struct QtPlatform {
    QtClipboard clipboard;
    QtMessageBox messages;
    QtBeeper beeper;
    DesktopEditorLauncher editor;
    SystemClock clock;
    QtScreenInfo screen;
    QtWindowStacking stacking;
    DesktopInjector injector;
    QtHttpTransfer http;
    // The network's status feed asks clients to fetch it at most every 15 seconds: a body that
    // young is used again rather than fetched again.
    ReusingHttpTransfer transfer{http};
    ThreadPoolWorker worker;
    Platform platform = wirePlatform(*this);
};

} // namespace tarvos

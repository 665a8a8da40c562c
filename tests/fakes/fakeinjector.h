#pragma once

// Synthetic input that only writes down what it was asked to do, one line per call, and keeps
// the pointer position the moves leave. The keyboard is with the console until a test says
// otherwise; waiting for it to leave takes no time.

#include "platform/inputinjector.h"

#include <QString>
#include <QStringList>

namespace tarvos::testing {

class FakeInjector final : public InputInjector {
public:
    bool available() const override { return canInject; }
    QPoint pointerPosition() const override { return pointer; }
    void movePointer(QPoint to) override {
        pointer = to;
        calls << QStringLiteral("move %1,%2").arg(to.x()).arg(to.y());
    }
    // A button event anywhere but at the pointer says where it was sent.
    void press(Button button, QPoint at) override {
        calls << QStringLiteral("down ") + name(button) + elsewhere(at);
    }
    void release(Button button, QPoint at) override {
        calls << QStringLiteral("up ") + name(button) + elsewhere(at);
    }
    void typeKey(Key key, QDeadlineTimer) override {
        calls << (key == Key::F11 ? QStringLiteral("key F11") : QStringLiteral("key F12"));
    }
    void pause(int milliseconds) override { calls << QStringLiteral("pause %1").arg(milliseconds); }
    void activate(WId) override {
        calls << QStringLiteral("activate");
        keyboardHere = true;
    }
    bool hasKeyboard() const override { return keyboardHere; }
    bool waitForKeyboardToLeave(QDeadlineTimer) override {
        calls << QStringLiteral("await");
        return !keyboardHere;
    }

    bool canInject = true;
    bool keyboardHere = true;
    QPoint pointer;
    QStringList calls;

private:
    static QString name(Button button) {
        return button == Button::Left ? QStringLiteral("left") : QStringLiteral("right");
    }
    QString elsewhere(QPoint at) const {
        return at == pointer ? QString() : QStringLiteral(" at %1,%2").arg(at.x()).arg(at.y());
    }
};

} // namespace tarvos::testing

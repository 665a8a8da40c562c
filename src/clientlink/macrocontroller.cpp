#include "clientlink/macrocontroller.h"

#include "clientlink/macros.h"
#include "console/form1.h"
#include "platform/inputinjector.h"
#include "platform/platform.h"

#include <algorithm>

namespace tarvos {

MacroController::MacroController(Form1 &form, InputInjector &injector, ScreenInfo &screen,
                                 MessageBox &messages, QObject *parent)
    : QObject(parent), m_form(form), m_injector(injector), m_screen(screen), m_messages(messages) {
    connect(form.Text1, &Field::keyPressed, this, &MacroController::keyPressed);
    m_keep.setInterval(5);
    m_keep.setTimerType(Qt::PreciseTimer);
    connect(&m_keep, &QTimer::timeout, this, &MacroController::keepTheKeyboard);
}

QString MacroController::unavailableText() {
    return QStringLiteral("The F-key macros cannot click or type into other programs on this "
                          "desktop (no X server with the XTEST extension).");
}

void MacroController::keyPressed(int key, Qt::KeyboardModifiers) {
    if (const std::optional<int> macro = macroForKey(key))
        run(*macro);
}

void MacroController::run(int macro) {
    if (!m_injector.available()) {
        // Said once; the console goes on without the macros.
        if (!m_toldUnavailable) {
            m_toldUnavailable = true;
            m_messages.show(unavailableText());
        }
        return;
    }
    using Kind = MacroStep::Kind;
    using Button = InputInjector::Button;
    // This macro's clicks give the keyboard away on purpose: the last one's watch ends.
    m_keep.stop();
    const QDeadlineTimer waitsEnd(kMacroWaitMs, Qt::PreciseTimer);
    bool keep = false;
    const QPoint saved = m_injector.pointerPosition();
    // Where the pointer is meant to be: where the controller pointed, then each move's spot.
    QPoint spot = saved;
    for (const MacroStep &step : macroSteps(macro, saved, m_screen.sizePixels())) {
        switch (step.kind) {
        case Kind::MovePointer:
            m_injector.movePointer(step.at);
            spot = step.at;
            break;
        case Kind::LeftDown:
            m_injector.press(Button::Left, spot);
            break;
        case Kind::LeftUp:
            m_injector.release(Button::Left, spot);
            break;
        case Kind::RightDown:
            m_injector.press(Button::Right, spot);
            break;
        case Kind::RightUp:
            m_injector.release(Button::Right, spot);
            break;
        case Kind::TypeF11:
            m_injector.typeKey(InputInjector::Key::F11, waitsEnd);
            break;
        case Kind::TypeF12:
            m_injector.typeKey(InputInjector::Key::F12, waitsEnd);
            break;
        case Kind::Pause:
            m_injector.pause(step.pauseMs);
            break;
        case Kind::AwaitClient:
            // Whether the client took it or the time is up, the macro goes on.
            m_injector.waitForKeyboardToLeave(waitsEnd);
            break;
        case Kind::FocusWindField:
            takeKeyboardBack();
            m_keepUntil = QDeadlineTimer(
                std::min<qint64>(kKeepKeyboardMs, waitsEnd.remainingTime()), Qt::PreciseTimer);
            keep = true;
            break;
        }
    }
    if (keep && !m_keepUntil.hasExpired())
        m_keep.start();
}

void MacroController::takeKeyboardBack() {
    // The click into the ATC client gave it the focus after the last input the console
    // received, which is the time Qt's own activation request carries: the injector asks the
    // desktop with a current one.
    m_injector.activate(m_form.winId());
    m_form.activateWindow();
    m_form.Text1->setFocus(Qt::OtherFocusReason);
}

void MacroController::keepTheKeyboard() {
    if (!m_injector.hasKeyboard()) {
        // A client that read its click late took the focus after the console had taken it
        // back: once more, and that is the last.
        m_keep.stop();
        takeKeyboardBack();
    } else if (m_keepUntil.hasExpired()) {
        m_keep.stop();
    }
}

} // namespace tarvos

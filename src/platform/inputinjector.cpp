#include "platform/inputinjector.h"

#include <chrono>
#include <thread>

namespace tarvos {

bool InputInjector::waitForKeyboardToLeave(QDeadlineTimer until) {
    for (;;) {
        if (!hasKeyboard())
            return true;
        if (until.hasExpired())
            return false;
        // A program takes the keyboard some milliseconds after it has read a click; a query of
        // the desktop costs far less than one.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace tarvos

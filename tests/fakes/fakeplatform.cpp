#include "fakes/fakeplatform.h"

namespace tarvos::testing {

FakePlatform::FakePlatform() {
    platform.clipboard = &clipboard;
    platform.messages = &messages;
    platform.beeper = &beeper;
    platform.editor = &editor;
    platform.clock = &clock;
    platform.screen = &screen;
    platform.stacking = &stacking;
}

} // namespace tarvos::testing

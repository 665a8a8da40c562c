#pragma once

#include "console/datadir.h"

namespace tarvos {

// airlines.txt with its default lines and the message shown when it is created.
const DefaultFile &airlinesFile();

} // namespace tarvos

// The real side of the system seam. Its class stays inside its own source file, so nothing
// else sees the system headers.
#pragma once

#include <memory>

#include "toolkit/SystemPort.h"

// `instance` is the program's module handle.
std::unique_ptr<SystemPort> CreateWin32System(void* instance);

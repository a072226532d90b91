#include "toolkit/SystemPort.h"

#include <cstdlib>

namespace {
SystemPort* installed = nullptr;
}

SystemPort& Sys() {
  if (!installed) std::abort();  // a system side must be installed before any window exists
  return *installed;
}

void InstallSystemPort(SystemPort* port) { installed = port; }

// The program's entry point on Windows: install the real system side and run.
#include "shell/Tintmesh.h"
#include "toolkit/win32/Win32Side.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The program takes no command line; whatever is given is ignored.
  std::unique_ptr<SystemPort> system = CreateWin32System(instance);
  InstallSystemPort(system.get());
  const int result = TintmeshMain();
  InstallSystemPort(nullptr);
  return result;
}

// The program's entry point on Windows: install the real system side and run.
#include <windows.h>

#include "shell/Tintmesh.h"
#include "toolkit/win32/Win32System.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The program takes no command line; whatever is given is ignored.
  Win32System system(instance);
  InstallSystemPort(&system);
  const int result = TintmeshMain();
  InstallSystemPort(nullptr);
  return result;
}

// What ends the program when an exception escapes: an abort, as with the C++ runtime's own
// handler, but without that handler's report on standard error, which a windowed program
// has nowhere to show. Leaving the report out keeps the runtime's name demangler and its
// formatted printing (some 70 KiB) out of Tintmesh.exe. Linked into the exe itself, so
// that it stands in for the runtime's handler.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

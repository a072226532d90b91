# Delay-load import libraries, made with the toolchain's dlltool: a DLL linked through one
# is not loaded with the program but when one of its functions is first called (by the
# helper in the C runtime's libdelayimp, with LoadLibraryA and GetProcAddress, which every
# 32-bit Windows has). Every function given takes one pointer-sized argument.
string(REGEX REPLACE "(g\\+\\+|gcc)$" "dlltool" TINTMESH_DLLTOOL "${CMAKE_CXX_COMPILER}")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TINTMESH_DLLTOOL_FLAGS --kill-at)
  set(TINTMESH_STDCALL_SUFFIX "@4")
else()
  set(TINTMESH_DLLTOOL_FLAGS)
  set(TINTMESH_STDCALL_SUFFIX "")
endif()

# tintmesh_delay_load_library(dll function...): an imported library target <dll>_delay.
function(tintmesh_delay_load_library dll)
  set(def "${CMAKE_BINARY_DIR}/delayload/${dll}.def")
  set(lib "${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a")
  set(text "LIBRARY ${dll}.dll\nEXPORTS\n")
  foreach(function IN LISTS ARGN)
    string(APPEND text "  ${function}${TINTMESH_STDCALL_SUFFIX}\n")
  endforeach()
  file(WRITE "${def}" "${text}")
  add_custom_command(OUTPUT "${lib}"
    COMMAND "${TINTMESH_DLLTOOL}" ${TINTMESH_DLLTOOL_FLAGS} -d "${def}" -y "${lib}"
    DEPENDS "${def}" VERBATIM)
  add_custom_target(${dll}_delay_lib DEPENDS "${lib}")
  add_library(${dll}_delay STATIC IMPORTED GLOBAL)
  set_target_properties(${dll}_delay PROPERTIES IMPORTED_LOCATION "${lib}")
  add_dependencies(${dll}_delay ${dll}_delay_lib)
endfunction()

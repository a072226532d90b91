# Palette file formats: standard library only, built for the host and for Windows alike.
add_library(palettefiles STATIC ${CMAKE_CURRENT_LIST_DIR}/PaletteFile.cpp)
target_include_directories(palettefiles PUBLIC ${CMAKE_SOURCE_DIR})

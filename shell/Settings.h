// The settings store: the main window's LoadSettings (at its show) and SaveSettings (at its
// close), members of TSDIAppForm because the folders live in its fields.
#pragma once

constexpr const char* MakerKey = "SOFTWARE\\Brindlewick";
constexpr const char* PaletteKey = "SOFTWARE\\Brindlewick\\Palette";

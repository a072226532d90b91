// The display probe: the main window's DetectPlatform, ProbeFontDpi, ApplyDpiLayout and
// ProbeColorDepth, steps of its show, members of TSDIAppForm because DpiMode and Platform
// live in its fields.
#pragma once

constexpr const char* DisplaySettings9x = "Config\\0001\\Display\\Settings";

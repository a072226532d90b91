// The maker's name and web address, as the program records and shows them.
#pragma once

constexpr const char* MakerSlogan = "Colour for every team";
constexpr const char* MakerWebAddress = "http://www.brindlewick.com";

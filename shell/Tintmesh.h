// Start-up: the application object and the program's five windows.
#pragma once

// Creates the windows, hidden, in their fixed order; the first becomes the main window.
void CreateTintmeshWindows();
// The whole program: start-up, the message loop until the main window closes.
int TintmeshMain();

/* The yardstick of the start-up benchmark: a bare Win32 program that shows one
   borderless 340 x 409 window centred on the screen, painted in one colour
   (RGB 0x20, 0x80, 0xC0), and runs its message loop until it is ended.

   Built twice: bare_window.exe as it stands, and bare_imports.exe with
   BARE_IMPORTS defined, which also imports one function from each system DLL
   that Tintmesh.exe imports (comdlg32, shell32, advapi32), so that the cost of
   loading those DLLs can be told apart from the program's own start-up work.
   The imported functions are never called. */
#include <windows.h>
#ifdef BARE_IMPORTS
#include <commdlg.h>
#include <shellapi.h>
#endif

#define BARE_WIDTH 340
#define BARE_HEIGHT 409

static LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT all;
        HBRUSH brush = CreateSolidBrush(RGB(0x20, 0x80, 0xC0));
        GetClientRect(hwnd, &all);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    WNDCLASSA wc;
    HWND hwnd;
    MSG msg;
    (void)previous;
    (void)show;
#ifdef BARE_IMPORTS
    /* Never true: the command line is never this. */
    if (lstrcmpA(commandLine, "\x01never") == 0) {
        OPENFILENAMEA ofn;
        SHELLEXECUTEINFOA info;
        HKEY key;
        ZeroMemory(&ofn, sizeof ofn);
        ZeroMemory(&info, sizeof info);
        GetOpenFileNameA(&ofn);
        ShellExecuteExA(&info);
        RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &key);
    }
#else
    (void)commandLine;
#endif
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = "BareWindow";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(WS_EX_APPWINDOW, "BareWindow", "Bare", WS_POPUP,
                           (GetSystemMetrics(SM_CXSCREEN) - BARE_WIDTH) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - BARE_HEIGHT) / 2,
                           BARE_WIDTH, BARE_HEIGHT, NULL, NULL, instance, NULL);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

/* Brings a fresh Wine prefix's desktop and display driver up before the
   program under test starts: it creates and shows one small window, lets the
   pending messages run, and exits with 0. A prefix whose desktop failed to
   come up logs that on this program's first window instead of on the
   editor's.

   Run with the argument "fonts" it instead shows, at the screen's top-left
   corner, a white 400 x 80 window with one line of text in bold Arial at
   y = 8 and the same line in bold Liberation Sans at y = 44, and stays until
   it is closed or ended. When the prefix maps Arial to Liberation Sans the
   two lines are drawn pixel for pixel alike. */
#include <string.h>
#include <windows.h>

static const char FontSample[] = "Brindlewick Tintmesh x 0123";

static HFONT MakeFont(const char *face)
{
    /* 16 pixels high as a cell height, bold, no smoothing, so that the
       screen shows exactly what the font engine drew. */
    return CreateFontA(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

static void PaintFonts(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT all;
    HFONT arial = MakeFont("Arial");
    HFONT liberation = MakeFont("Liberation Sans");
    HGDIOBJ old;

    GetClientRect(hwnd, &all);
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    old = SelectObject(dc, arial);
    TextOutA(dc, 8, 8, FontSample, (int)strlen(FontSample));
    SelectObject(dc, liberation);
    TextOutA(dc, 8, 44, FontSample, (int)strlen(FontSample));
    SelectObject(dc, old);
    DeleteObject(arial);
    DeleteObject(liberation);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK WarmupWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT:
        if (GetWindowLongPtrA(hwnd, GWLP_USERDATA)) {
            PaintFonts(hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int show)
{
    WNDCLASSA wc;
    HWND hwnd;
    MSG msg;
    BOOL fonts = cmdLine && strstr(cmdLine, "fonts") != NULL;

    (void)prev;
    (void)show;

    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = WarmupWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = "TintmeshWineWarmup";
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    if (!RegisterClassA(&wc))
        return 1;

    hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName,
                           fonts ? "Wine warm-up fonts" : "Wine warm-up",
                           WS_POPUP, 0, 0, fonts ? 400 : 8, fonts ? 80 : 8,
                           NULL, NULL, instance, NULL);
    if (!hwnd)
        return 2;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, fonts);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);

    if (fonts) {
        while (GetMessageA(&msg, NULL, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return 0;
    }
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(hwnd);
    return 0;
}

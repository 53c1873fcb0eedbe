// A yardstick between the minimal window and Quillfen: the main window's standard
// controls (a group box, fourteen labels, seven single-line edits, a button and a
// multi-line edit) created with bare Win32 calls, in the Japanese UI font, under the
// same common-controls 6 manifest, with the focus in the first edit. It has no menu
// bar, no About box, no icons and no framework, so its start-up is a floor for any
// program that shows these controls.
#include <windows.h>
#include <commctrl.h>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Child(HWND parent, HFONT font, const wchar_t* cls, const wchar_t* text, DWORD style,
           DWORD exStyle, int x, int y, int width, int height) {
    HWND h = ::CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                               height, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareControls";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"Bare",
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 240, 340, nullptr, nullptr, instance, nullptr);
    HFONT font = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                               L"ＭＳ Ｐゴシック");
    Child(hwnd, font, L"BUTTON", L"時間", BS_GROUPBOX, 0, 8, 8, 209, 169);
    HWND first = nullptr;
    for (int i = 0; i < 7; ++i) {
        const int x = 40 + 56 * (i % 3), y = 40 + 72 * (i / 3);
        Child(hwnd, font, L"STATIC", L"時", 0, 0, x, y - 16, 20, 14);
        HWND edit = Child(hwnd, font, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                          x, y, 33, 20);
        if (!first) first = edit;
        Child(hwnd, font, L"STATIC", L"：", 0, 0, x + 36, y, 17, 17);
    }
    Child(hwnd, font, L"BUTTON", L"計算(&C)", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 8, 184, 209, 40);
    Child(hwnd, font, L"EDIT", L"出発・到着時刻を入力してください。",
          WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN, WS_EX_CLIENTEDGE, 8, 232, 209, 57);
    ::ShowWindow(hwnd, show);
    ::SetFocus(first);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::DeleteObject(font);
    return 0;
}

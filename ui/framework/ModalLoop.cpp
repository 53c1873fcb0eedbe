// A form's modal loop, and the disabling of the other windows around it.
#include "ui/framework/ModalLoop.h"

#include "ui/win32/ErrorBoundary.h"

#include <memory>

#include "ui/framework/Application.h"
#include "ui/framework/Form.h"

namespace quillfen {

namespace {

// How many quit requests the thread has made; a keeper compares it before and after.
unsigned g_quitRequests = 0;

}  // namespace

void RequestQuit() noexcept {
    ++g_quitRequests;
    ::EndMenu();
    ::PostQuitMessage(0);
}

bool QuitPending() noexcept {
    MSG pending;
    return ::PeekMessageW(&pending, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

QuitRequestKeeper::QuitRequestKeeper() noexcept : requestsBefore_(g_quitRequests) {}

QuitRequestKeeper::~QuitRequestKeeper() {
    if (g_quitRequests != requestsBefore_ && !QuitPending()) ::PostQuitMessage(0);
}

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND except) : except_(except) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &ThreadWindowsDisabled::Collect,
                        reinterpret_cast<LPARAM>(this));
    for (HWND h : disabled_) ::EnableWindow(h, FALSE);
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
    for (HWND h : disabled_) {
        if (::IsWindow(h)) ::EnableWindow(h, TRUE);
    }
}

BOOL CALLBACK ThreadWindowsDisabled::Collect(HWND h, LPARAM p) {
    return Guarded(FALSE, [&] {
        auto* self = reinterpret_cast<ThreadWindowsDisabled*>(p);
        if (h != self->except_ && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) {
            self->disabled_.push_back(h);
        }
        return TRUE;
    });
}

int Form::ShowModal() {
    if (::GetCapture()) ::SendMessageW(::GetCapture(), WM_CANCELMODE, 0, 0);
    ::ReleaseCapture();
    const HCURSOR cursor = ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    const HWND previouslyActive = ::GetActiveWindow();

    auto disabled = std::make_unique<ThreadWindowsDisabled>(hwnd());
    // Forms the application does not own (message dialogs) still get their dialog keys.
    struct ModalRegistration {
        TApplication& application;
        Form& form;
        ~ModalRegistration() { application.EndModal(form); }
    } registration{application_, *this};
    application_.BeginModal(*this);
    modal_ = true;
    modalResult_ = 0;
    Show();
    // Windows of our own class are no dialogs to screen readers unless told so: the
    // start makes them read the dialog's title and text.
    const bool dialog = border_ == FormBorder::Dialog;
    if (dialog) ::NotifyWinEvent(EVENT_SYSTEM_DIALOGSTART, hwnd(), OBJID_WINDOW, CHILDID_SELF);
    bool quit = false;
    while (modalResult_ == 0) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            quit = true;
            modalResult_ = IDCANCEL;
            break;
        }
        application_.DispatchOne(msg);
    }
    const int result = modalResult_;
    modal_ = false;

    if (dialog) ::NotifyWinEvent(EVENT_SYSTEM_DIALOGEND, hwnd(), OBJID_WINDOW, CHILDID_SELF);
    disabled.reset();
    const bool wasActive = ::GetActiveWindow() == hwnd();
    ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (wasActive && previouslyActive && ::IsWindow(previouslyActive)) {
        ::SetActiveWindow(previouslyActive);
    }
    if (::GetCursor() == ::LoadCursorW(nullptr, IDC_ARROW)) ::SetCursor(cursor);
    // The quit request that ended the loop still has to end the program's own loop.
    if (quit) RequestQuit();
    return result;
}

}  // namespace quillfen

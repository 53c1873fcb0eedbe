#include "ui/framework/Application.h"

#include <algorithm>
#include <stdexcept>

#include "logic/ClockTime.h"
#include "ui/framework/Failure.h"
#include "ui/framework/ModalLoop.h"
#include "ui/framework/ReadableMessageBox.h"
#include "ui/win32/PictureScale.h"
#include "ui/win32/Text.h"

namespace quillfen {

namespace {

TApplication* g_instance = nullptr;

const WindowClass kApplicationClass{L"TApplication", 0, nullptr, nullptr};

// Posted to the application window at the first idle moment.
constexpr UINT kFirstIdleMessage = WM_APP;

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Keys and mouse buttons: what can reach a command. Mouse moves are left out; the
// platform makes one up whenever a window appears under the pointer.
bool IsCommandInput(UINT message) {
    return IsKeyMessage(message) || (message > WM_MOUSEMOVE && message <= WM_MOUSELAST) ||
           (message > WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

void SinkToApplication(std::exception_ptr error) {
    if (g_instance) g_instance->ShowException(error);
}

std::string MessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return FailureText(Failure::Unknown);
    }
}

// The visible top-level windows that `owner` owns; minimising it hides them all.
struct OwnedWindows {
    HWND owner;
    std::vector<HWND> visible;
};

BOOL CALLBACK CollectVisibleOwned(HWND hwnd, LPARAM p) {
    return Guarded(FALSE, [&] {
        auto* owned = reinterpret_cast<OwnedWindows*>(p);
        if (::GetWindow(hwnd, GW_OWNER) == owned->owner && ::IsWindowVisible(hwnd)) {
            owned->visible.push_back(hwnd);
        }
        return TRUE;
    });
}

IconHandle LoadApplicationIcon(const wchar_t* name) {
    if (!name) return {};
    // At high densities the program's own scaler makes the icon from its 32 × 32 image.
    const LayoutScale pictures = CurrentPictureScale();
    IconHandle icon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), name, IMAGE_ICON,
                                                    0, 0,
                                                    pictures.identity() ? LR_DEFAULTSIZE : 0)));
    IconHandle scaled = ScaleIcon(icon.get(), pictures);
    return scaled ? std::move(scaled) : std::move(icon);
}

// The class is registered once and outlives every application object (the tests make
// many): the icon it is registered with, the first application's, is kept for the process.
HICON ClassIcon(IconHandle& first) {
    static const IconHandle kept = std::move(first);
    return kept.get();
}

}  // namespace

TApplication::TApplication(const wchar_t* iconName) : icon_(LoadApplicationIcon(iconName)) {
    WindowClass windowClass = kApplicationClass;
    windowClass.icon = ClassIcon(icon_);
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    Create(windowClass, 0, L"",
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, x, y, 0, 0,
           nullptr);
    // The large icon shows only in the task switcher; setting one is dozens of server
    // round trips under Wine, so it waits for the first idle moment.
    WhenFirstIdle([this, icon = icon_ ? icon_.get() : windowClass.icon] {
        ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    });
    const HMENU menu = ::GetSystemMenu(hwnd(), FALSE);
    ::DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    ::DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    ::DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    g_instance = this;
    SetExceptionSink(&SinkToApplication);
}

TApplication::~TApplication() {
    Shutdown();
    SetExceptionSink(nullptr);
    if (g_instance == this) g_instance = nullptr;
}

TApplication* TApplication::Instance() noexcept { return g_instance; }

void TApplication::SetTitle(std::string_view title) { SetWindowTextUtf8(hwnd(), title); }

std::string TApplication::Title() const { return GetWindowTextUtf8(hwnd()); }

void TApplication::Terminate() noexcept { RequestQuit(); }

bool TApplication::Minimized() const noexcept { return ::IsIconic(hwnd()) != FALSE; }

void TApplication::ApplyShowCommand() {
    STARTUPINFOW info{};
    info.cb = sizeof info;
    ::GetStartupInfoW(&info);
    const int show = (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWDEFAULT;
    if (show == SW_SHOWMINNOACTIVE) {
        Minimize();
        return;
    }
    mainForm_->Show();
    if (show == SW_SHOWMAXIMIZED) ::ShowWindow(mainForm_->hwnd(), SW_SHOWMAXIMIZED);
}

void TApplication::Run() {
    if (!mainForm_) return;
    // The taskbar entry follows the main window at the first idle moment; a minimised
    // start has shown it already.
    WhenFirstIdle([this] {
        if (!::IsWindowVisible(hwnd())) ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    });
    ApplyShowCommand();
    while (!terminated_) ProcessMessage(true);
}

void TApplication::WhenFirstIdle(std::function<void()> step) {
    firstIdleSteps_.push_back(std::move(step));
}

void TApplication::RunFirstIdleSteps() {
    std::vector<std::function<void()>> steps;
    steps.swap(firstIdleSteps_);
    for (const auto& step : steps) Guarded(step);
}

bool TApplication::ProcessMessage(bool wait) {
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!wait) return false;
        // The steps left for the first idle moment run from a message posted now, so the
        // wait below is still the program's first idle wait (what WaitForInputIdle sees).
        if (!firstIdleSteps_.empty()) ::PostMessageW(hwnd(), kFirstIdleMessage, 0, 0);
        ::WaitMessage();
        return true;
    }
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (msg.message == kFirstIdleMessage && msg.hwnd == hwnd()) {
        RunFirstIdleSteps();
        return true;
    }
    if (IsCommandInput(msg.message)) RunFirstIdleSteps();
    DispatchOne(msg);
    return true;
}

void TApplication::BeginModal(Form& form) { modalForms_.push_back(&form); }

void TApplication::EndModal(Form& form) noexcept {
    modalForms_.erase(std::remove(modalForms_.begin(), modalForms_.end(), &form),
                      modalForms_.end());
}

Form* TApplication::FormOfFocus() const noexcept {
    const HWND focus = ::GetFocus();
    for (auto it = modalForms_.rbegin(); it != modalForms_.rend(); ++it) {
        const HWND h = (*it)->hwnd();
        if (h && (focus == h || ::IsChild(h, focus))) return *it;
    }
    for (const auto& form : forms_) {
        if (form->hwnd() && (focus == form->hwnd() || ::IsChild(form->hwnd(), focus))) {
            return form.get();
        }
    }
    return nullptr;
}

void TApplication::DispatchOne(MSG& msg) {
    // The dialog keys run outside any window procedure, so under a guard of their own (a
    // key whose handling failed goes no further); the window procedures that the dispatch
    // reaches guard their own handling.
    const bool taken = IsKeyMessage(msg.message) && Guarded(true, [&] {
        Form* form = FormOfFocus();
        return form && form->PreTranslateKey(msg);
    });
    if (taken) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

std::string TApplication::ErrorBoxText(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    return message;
}

void TApplication::ShowException(std::exception_ptr error) {
    const WideString text = Widen(ErrorBoxText(MessageOf(error)));
    const WideString title = Widen(Title());
    const HWND active = ::GetActiveWindow();
    const HWND focus = ::GetFocus();
    // The box shows on the monitor of the active window: move the zero-size owner there.
    if (active && ::MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) !=
                      ::MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST)) {
        RECT r{};
        ::GetWindowRect(active, &r);
        ::SetWindowPos(hwnd(), nullptr, r.left, r.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    {
        ThreadWindowsDisabled modal(nullptr);
        ShowReadableMessageBox(hwnd(), text, title, MB_OK | MB_ICONSTOP, errorBoxFont_);
    }
    if (active && ::IsWindow(active)) ::SetActiveWindow(active);
    if (focus && ::IsWindow(focus)) ::SetFocus(focus);
}

void TApplication::Minimize() {
    if (Minimized()) return;
    const HWND main = mainForm_ ? mainForm_->hwnd() : nullptr;
    focusBeforeMinimize_ = ::GetFocus();
    OwnedWindows owned{hwnd(), {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectVisibleOwned,
                        reinterpret_cast<LPARAM>(&owned));
    shownBeforeMinimize_ = std::move(owned.visible);
    if (main && ::IsWindowVisible(main) && ::IsWindowEnabled(main)) {
        RECT r{};
        ::GetWindowRect(main, &r);
        ::SetWindowPos(hwnd(), main, r.left, r.top, r.right - r.left, 0, SWP_SHOWWINDOW);
        Default(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
        ::ShowWindow(hwnd(), SW_SHOWMINNOACTIVE);
    }
    // The whole application goes to its taskbar entry, also the windows the platform
    // leaves up when it minimises without animation (an open About box).
    for (HWND window : shownBeforeMinimize_) {
        if (::IsWindowVisible(window)) ::ShowWindow(window, SW_HIDE);
    }
}

void TApplication::Restore() {
    if (!Minimized()) return;
    ::SetActiveWindow(hwnd());
    const HWND main = mainForm_ ? mainForm_->hwnd() : nullptr;
    if (main && ::IsWindowEnabled(main)) {
        Default(WM_SYSCOMMAND, SC_RESTORE, 0);
    } else {
        ::ShowWindow(hwnd(), SW_RESTORE);
    }
    ::SetWindowPos(hwnd(), nullptr, ::GetSystemMetrics(SM_CXSCREEN) / 2,
                   ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, SWP_NOZORDER | SWP_SHOWWINDOW);
    if (main && !::IsWindowVisible(main)) {
        if (::IsIconic(main)) ::ShowWindow(main, SW_RESTORE);
        mainForm_->Show();
    }
    // A modal window (the About box, a message dialog) that minimising hid must come
    // back too: the windows it disabled would otherwise leave nothing to use.
    for (HWND window : shownBeforeMinimize_) {
        if (::IsWindow(window) && !::IsWindowVisible(window)) ::ShowWindow(window, SW_SHOWNA);
    }
    shownBeforeMinimize_.clear();
    if (focusBeforeMinimize_ && ::IsWindow(focusBeforeMinimize_)) {
        ::SetFocus(focusBeforeMinimize_);
    }
}

void TApplication::ReloadSettings() {
    ::SetThreadLocale(LOCALE_USER_DEFAULT);
    LoadClockSettings();
}

LRESULT TApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        ReloadSettings();
        return 0;
    }
    switch (message) {
        case kFirstIdleMessage:
            RunFirstIdleSteps();
            return 0;
        case WM_SETTINGCHANGE:
            ReloadSettings();
            break;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    Minimize();
                    return 0;
                case SC_RESTORE:
                    Restore();
                    return 0;
                case SC_CLOSE:
                    if (mainForm_) mainForm_->Close();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            if (mainForm_) mainForm_->Close();
            return 0;
        case WM_ENDSESSION:
            // The quit request also ends a modal window's nested loop (which re-posts it),
            // and wakes a loop that is waiting for a message.
            if (wParam) {
                terminated_ = true;
                RequestQuit();
            }
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void TApplication::Shutdown() noexcept {
    firstIdleSteps_.clear();
    for (const auto& form : forms_) {
        if (form->hwnd()) ::ShowWindow(form->hwnd(), SW_HIDE);
    }
    while (!forms_.empty()) forms_.pop_back();
    mainForm_ = nullptr;
}

}  // namespace quillfen

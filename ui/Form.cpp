#include "ui/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "app/Application.h"
#include "logic/ClockTime.h"
#include "ui/Text.h"

namespace quillfen {

namespace {

DisplayMetricsOverride g_metrics;

LOGFONTW FontRequest(const FontDescription& d, int height) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = d.charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    wcsncpy(lf.lfFaceName, d.face, LF_FACESIZE - 1);
    return lf;
}

int CALLBACK TakeProportionalFace(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD,
                                  LPARAM found) {
    // TMPF_FIXED_PITCH set means variable pitch; the described faces are sans-serif, and
    // '@' faces are the vertical variants.
    const BYTE pitch = metrics->tmPitchAndFamily;
    if (!(pitch & TMPF_FIXED_PITCH) || (pitch & 0xF0) == FF_ROMAN || font->lfFaceName[0] == L'@')
        return 1;
    wcsncpy(reinterpret_cast<wchar_t*>(found), font->lfFaceName, LF_FACESIZE - 1);
    return 0;
}

// The forms are laid out for proportional faces. Where the described face is missing, the
// font mapper takes the first face of the character set, which may be fixed-pitch (on a
// non-Japanese system with only the IPA fonts, IPAGothic): its wider lines then wrap in
// the memo and push the travel time out of sight. Such a font is replaced by the first
// proportional sans-serif face of the same character set. A memory DC keeps this off the window
// server.
FontHandle MakeFont(const FontDescription& d, int height) {
    LOGFONTW lf = FontRequest(d, height);
    FontHandle font(::CreateFontIndirectW(&lf));
    MemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!font || !dc) return font;
    TEXTMETRICW metrics{};
    {
        ScopedSelect select(dc.get(), font.get());
        if (!::GetTextMetricsW(dc.get(), &metrics) || (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH))
            return font;
    }
    LOGFONTW query{};
    query.lfCharSet = d.charset;
    wchar_t face[LF_FACESIZE] = {};
    ::EnumFontFamiliesExW(dc.get(), &query, TakeProportionalFace, reinterpret_cast<LPARAM>(face),
                          0);
    if (!face[0]) return font;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    FontHandle proportional(::CreateFontIndirectW(&lf));
    return proportional ? std::move(proportional) : std::move(font);
}

// The size a label takes for its text; with a wrap width it breaks lines at words.
SIZE MeasureText(HFONT font, std::wstring_view text, int wrapWidth = 0) {
    WindowDc screen(nullptr);
    ScopedSelect select(screen.get(), font);
    RECT r{0, 0, wrapWidth, 0};
    const WideString s(text);
    const UINT format = wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    ::DrawTextW(screen.get(), s.c_str(), static_cast<int>(s.size()), &r,
                DT_CALCRECT | DT_LEFT | DT_TOP | format);
    return {r.right - r.left, r.bottom - r.top};
}

int MeasureZeroHeight(HFONT font) {
    if (g_metrics.textHeight) return g_metrics.textHeight;
    WindowDc screen(nullptr);
    ScopedSelect select(screen.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(screen.get(), L"0", 1, &size);
    return size.cy;
}

wchar_t UpperChar(wchar_t c) {
    // CharUpperW converts a single character passed in the pointer's low word.
    const auto word = reinterpret_cast<UINT_PTR>(
        ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(static_cast<WORD>(c)))));
    return static_cast<wchar_t>(word & 0xFFFF);
}

wchar_t MnemonicOf(std::wstring_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return UpperChar(caption[i + 1]);
    }
    return 0;
}

// Group boxes and panels parent controls but do not pass their notifications on, and
// a group box leaves its inside unpainted.
std::optional<LRESULT> ContainerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT r{};
            ::GetClientRect(hwnd, &r);
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, ::GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return ::SendMessageW(::GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
        default:
            return std::nullopt;
    }
}

bool IsEdit(ControlKind kind) {
    return kind == ControlKind::LabeledEdit || kind == ControlKind::Memo;
}
bool IsButton(ControlKind kind) {
    return kind == ControlKind::GlyphButton || kind == ControlKind::Button;
}

}  // namespace

int ScreenPixelsPerInch() {
    if (g_metrics.pixelsPerInch) return g_metrics.pixelsPerInch;
    WindowDc screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

void SetDisplayMetricsOverride(DisplayMetricsOverride metrics) noexcept { g_metrics = metrics; }

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
    auto* self = reinterpret_cast<ThreadWindowsDisabled*>(p);
    if (h != self->except_ && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) {
        self->disabled_.push_back(h);
    }
    return TRUE;
}

ShiftState CurrentShiftState() noexcept {
    return {::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_MENU) < 0};
}

Form::Form(TApplication& application) : application_(application) {}

Form::~Form() {
    // Children go with the window; their subclass data (the Control records) must
    // outlive it, so the window is destroyed before the members.
    if (HWND h = hwnd()) ::DestroyWindow(h);
}

void Form::BeginBuild(const FormSpec& item) {
    const int ppi = ScreenPixelsPerInch();
    FontHandle font = MakeFont(item.font, FontHeightForDensity(item.font.height, ppi));
    if (!font) throw Exception("フォントを作成できません");
    scale_ = ScaleForTextHeight(MeasureZeroHeight(font.get()));
    largeFont_ = MakeFont(item.largeFont, scale_(item.largeFont.height));
    menuFont_ = MakeFont(item.menuFont, scale_(item.menuFont.height));
    CreateFormWindow(item, std::move(font));
}

void Form::BuildAtRunTime(const FormSpec& item, FontHandle font,
                          const std::vector<ControlSpec>& controls) {
    if (!font) throw Exception("フォントを作成できません");
    scale_ = {};
    CreateFormWindow(item, std::move(font));
    for (const ControlSpec& control : controls) AddControl(control);
    EndBuild();
}

void Form::CreateFormWindow(const FormSpec& item, FontHandle font) {
    position_ = item.position;
    font_ = std::move(font);
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    if (item.border == FormBorder::Dialog) exStyle |= WS_EX_DLGMODALFRAME;
    RECT frame{0, 0, scale_(item.clientWidth), scale_(item.clientHeight)};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // Created where its first showing centres it, so that showing need not move it.
    const POINT at = CentredPosition(width, height);
    Create({item.className}, exStyle, Widen(item.caption).c_str(), style, at.x, at.y, width, height,
           application_.hwnd());
    if (item.border == FormBorder::Dialog) {
        // A dialog frame carries no caption icon.
        ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, 0);
        ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, 0);
    }
    ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

HWND Form::ParentHandle(std::string_view parent) const {
    if (parent.empty()) return hwnd();
    const HWND h = ControlHandle(parent);
    if (!h) throw Exception("unknown parent control");
    return h;
}

HFONT Form::FontFor(FontRole role) const noexcept {
    switch (role) {
        case FontRole::Large:
            return largeFont_.get();
        case FontRole::MenuBar:
            return menuFont_.get();
        case FontRole::Form:
            break;
    }
    return font_.get();
}

Control& Form::AddControl(const ControlSpec& item) {
    auto owned = std::make_unique<Control>();
    Control& control = *owned;
    controls_.push_back(std::move(owned));
    control.form = this;
    control.name = std::string(item.name);
    control.kind = item.kind;
    control.tabOrder = item.tabOrder;
    control.labelPosition = item.labelPosition;
    control.defaultButton = item.defaultButton;
    control.modalResult = item.modalResult;
    control.cancelButton = item.cancelButton;
    control.mnemonic = MnemonicOf(Widen(item.text));

    const HWND parent = ParentHandle(item.parent);
    RECT bounds{scale_(item.left), scale_(item.top), 0, 0};
    bounds.right = bounds.left + scale_(item.width);
    bounds.bottom = bounds.top + scale_(item.height);
    if (item.kind == ControlKind::LabeledEdit) CreateAttachedLabel(item, control, parent, bounds);
    control.hwnd = CreateChild(item, control, parent, bounds);
    if (!control.hwnd) throw Exception("コントロールを作成できません");
    ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(item.font)), FALSE);
    // Edits hold any amount of text; the platform's default caps typing at 30,000.
    if (IsEdit(item.kind)) ::SendMessageW(control.hwnd, EM_SETLIMITTEXT, 0, 0);
    Subclass(control);
    return control;
}

HWND Form::CreateChild(const ControlSpec& item, Control& control, HWND parent, RECT b) {
    const WideString text = Widen(item.text);
    const wchar_t* cls = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (item.kind) {
        case ControlKind::GroupBox:
            cls = L"BUTTON";
            style |= BS_GROUPBOX;
            break;
        case ControlKind::Label:
            style |= SS_LEFT;
            if (item.wordWrap) {
                b.bottom = b.top + MeasureText(FontFor(item.font), text, b.right - b.left).cy;
            } else if (item.autoSize) {
                const SIZE size = MeasureText(FontFor(item.font), text);
                b.right = b.left + size.cx;
                b.bottom = b.top + size.cy;
            }
            break;
        case ControlKind::LabeledEdit:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Memo:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_LEFT;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::GlyphButton:
            cls = L"BUTTON";
            style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        case ControlKind::Button:
            cls = L"BUTTON";
            style |= WS_TABSTOP | (item.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            break;
        case ControlKind::Panel:
            // Outer bevel lowered, inner raised, one pixel each: the etched frame.
            style |= SS_ETCHEDFRAME;
            break;
        case ControlKind::Image:
        case ControlKind::ControlBar:
        case ControlKind::MenuBar:
            if (HWND custom = CreateCustomControl(item, parent, b)) {
                control.ownClass = true;
                return custom;
            }
            style |= SS_NOTIFY;
            break;
    }
    return ::CreateWindowExW(exStyle, cls, text.c_str(), style, b.left, b.top, b.right - b.left,
                             b.bottom - b.top, parent, nullptr, ::GetModuleHandleW(nullptr),
                             nullptr);
}

void Form::CreateAttachedLabel(const ControlSpec& item, Control& control, HWND parent, RECT field) {
    const WideString text = Widen(item.labelText);
    const SIZE size = MeasureText(font_.get(), text);
    const POINT at = AttachedLabelOrigin(field, size, item.labelPosition);
    control.label =
        ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, at.x, at.y,
                          size.cx, size.cy, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(control.label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void Form::EndBuild() {
    // Depth first: the form's children by tab order, each followed by its own children.
    std::vector<const Control*> order;
    std::function<void(HWND)> walk = [&](HWND parent) {
        std::vector<const Control*> level;
        for (const auto& c : controls_) {
            if (::GetParent(c->hwnd) == parent) level.push_back(c.get());
        }
        std::stable_sort(level.begin(), level.end(), [](const Control* a, const Control* b) {
            return a->tabOrder < b->tabOrder;
        });
        for (const Control* c : level) {
            order.push_back(c);
            walk(c->hwnd);
        }
    };
    walk(hwnd());
    tabStops_.clear();
    for (const Control* c : order) {
        if (c->tabOrder >= 0 && (IsEdit(c->kind) || IsButton(c->kind)))
            tabStops_.push_back(c->hwnd);
    }
}

const Control* Form::FindControl(std::string_view name) const noexcept {
    for (const auto& c : controls_) {
        if (c->name == name) return c.get();
    }
    return nullptr;
}

Control* Form::FindControl(HWND h) noexcept {
    for (const auto& c : controls_) {
        if (c->hwnd == h) return c.get();
    }
    return nullptr;
}

HWND Form::ControlHandle(std::string_view name) const noexcept {
    const Control* c = FindControl(name);
    return c ? c->hwnd : nullptr;
}

void Form::FocusControl(HWND control) {
    if (!control) return;
    ::SetFocus(control);
}

POINT Form::CentredPosition(int width, int height) const {
    if (position_ == FormPosition::DesktopCenter) {
        return {CentredOrigin(::GetSystemMetrics(SM_CXVIRTUALSCREEN), width),
                CentredOrigin(::GetSystemMetrics(SM_CYVIRTUALSCREEN), height)};
    }
    POINT at{CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), width),
             CentredOrigin(::GetSystemMetrics(SM_CYSCREEN), height)};
    const HWND active = ::GetActiveWindow();
    const HMONITOR primary = ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const HMONITOR monitor =
        active ? ::MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) : primary;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor != primary && ::GetMonitorInfoW(monitor, &info)) {
        at.x =
            info.rcMonitor.left + CentredOrigin(info.rcMonitor.right - info.rcMonitor.left, width);
        at.y =
            info.rcMonitor.top + CentredOrigin(info.rcMonitor.bottom - info.rcMonitor.top, height);
    }
    return at;
}

void Form::Centre() {
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const POINT at = CentredPosition(r.right - r.left, r.bottom - r.top);
    // Usually the window was created there already, and a move costs server round trips.
    if (at.x == r.left && at.y == r.top) return;
    ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show() {
    if (!shownOnce_) {
        shownOnce_ = true;
        Centre();
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
}

void Form::Close() { ::SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

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

    disabled.reset();
    const bool wasActive = ::GetActiveWindow() == hwnd();
    ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (wasActive && previouslyActive && ::IsWindow(previouslyActive)) {
        ::SetActiveWindow(previouslyActive);
    }
    if (::GetCursor() == ::LoadCursorW(nullptr, IDC_ARROW)) ::SetCursor(cursor);
    // The quit request that ended the loop still has to end the program's own loop.
    if (quit) ::PostQuitMessage(0);
    return result;
}

HWND Form::NextTabStop(HWND from, bool forward) const {
    if (tabStops_.empty()) return nullptr;
    auto it = std::find(tabStops_.begin(), tabStops_.end(), from);
    const auto count = static_cast<long>(tabStops_.size());
    long index = it == tabStops_.end() ? (forward ? -1 : 0) : it - tabStops_.begin();
    for (long step = 0; step < count; ++step) {
        index = (index + (forward ? 1 : count - 1)) % count;
        const HWND candidate = tabStops_[static_cast<size_t>(index)];
        if (::IsWindowVisible(candidate) && ::IsWindowEnabled(candidate)) return candidate;
    }
    return nullptr;
}

void Form::ClickControl(Control& control) {
    if (control.modalResult) modalResult_ = control.modalResult;
    if (control.onClick) control.onClick(control.hwnd);
}

bool Form::HandleMnemonic(wchar_t letter) {
    const wchar_t upper = UpperChar(letter);
    for (const auto& c : controls_) {
        if (c->mnemonic != upper || !::IsWindowVisible(c->hwnd) || !::IsWindowEnabled(c->hwnd)) {
            continue;
        }
        if (IsButton(c->kind)) {
            ClickControl(*c);
            return true;
        }
    }
    return false;
}

bool Form::HandleDialogKey(const MSG& msg, Control* control) {
    const ShiftState shift = CurrentShiftState();
    switch (msg.wParam) {
        case VK_TAB:
            if (shift.ctrl || shift.alt) return false;
            FocusControl(NextTabStop(::GetFocus(), !shift.shift));
            return true;
        case VK_RETURN:
            if (shift.shift || shift.ctrl || shift.alt) return false;
            if (control && IsButton(control->kind)) {
                ClickControl(*control);
                return true;
            }
            if (control && control->kind == ControlKind::Memo) return false;
            for (const auto& c : controls_) {
                if (c->defaultButton && ::IsWindowEnabled(c->hwnd)) {
                    ClickControl(*c);
                    return true;
                }
            }
            return false;
        case VK_ESCAPE:
            for (const auto& c : controls_) {
                if (c->cancelButton && ::IsWindowEnabled(c->hwnd)) {
                    ClickControl(*c);
                    return true;
                }
            }
            return false;
        default:
            return false;
    }
}

bool Form::PreTranslateKey(const MSG& msg) {
    Control* control = FindControl(msg.hwnd);
    if (!control && msg.hwnd != hwnd()) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
            return HandleDialogKey(msg, control);
        case WM_SYSCHAR:
            return HandleMnemonic(static_cast<wchar_t>(msg.wParam));
        default:
            return false;
    }
}

void Form::RememberFocus() {
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd(), focus)) activeControl_ = focus;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                RememberFocus();
                return 0;
            }
            if (!activeControl_ || !::IsWindow(activeControl_)) {
                activeControl_ = NextTabStop(nullptr, true);
            }
            if (HIWORD(wParam) == 0) FocusControl(activeControl_);
            Activated();
            return 0;
        case WM_SETFOCUS:
            if (activeControl_ && ::IsWindow(activeControl_)) FocusControl(activeControl_);
            return 0;
        case WM_CLOSE:
            if (modal_) {
                modalResult_ = IDCANCEL;
            } else if (application_.MainForm() == this) {
                application_.Terminate();
            } else {
                ::ShowWindow(hwnd(), SW_HIDE);
            }
            return 0;
        case WM_COMMAND:
            if (Control* c = FindControl(reinterpret_cast<HWND>(lParam))) {
                if (HIWORD(wParam) == BN_CLICKED && IsButton(c->kind)) ClickControl(*c);
                if (HIWORD(wParam) == EN_CHANGE && c->onChange) c->onChange(c->hwnd);
                return 0;
            }
            break;
        case WM_DRAWITEM:
            if (DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            // Labels stand on button-face parents (the form, the group box, the panel), so
            // filling with that colour looks the same as drawing no background at all.
            ::SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

// Standard controls are subclassed through their window procedure, with the control in
// GWLP_USERDATA: Wine keeps SetWindowSubclass's data in a window property, and reading
// it on every message is a server round trip (hundreds of them while the form first
// paints). Windows of our own classes hold their object in GWLP_USERDATA already and
// keep the common-controls subclass.
void Form::Subclass(Control& control) {
    if (control.ownClass) {
        ::SetWindowSubclass(control.hwnd, &Form::OwnClassProc, 1,
                            reinterpret_cast<DWORD_PTR>(&control));
        return;
    }
    ::SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    control.original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::ControlProc)));
}

LRESULT CALLBACK Form::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<Control*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!control) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return Guarded(
        0, [&] { return control->form->ControlMessage(*control, message, wParam, lParam); });
}

LRESULT CALLBACK Form::OwnClassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* control = reinterpret_cast<Control*>(data);
    return Guarded(
        0, [&] { return control->form->ControlMessage(*control, message, wParam, lParam); });
}

LRESULT Form::CallOriginal(const Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (control.ownClass) return ::DefSubclassProc(control.hwnd, message, wParam, lParam);
    return ::CallWindowProcW(control.original, control.hwnd, message, wParam, lParam);
}

LRESULT Form::ControlMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND h = control.hwnd;
    if (control.kind == ControlKind::GroupBox || control.kind == ControlKind::Panel) {
        if (const auto result = ContainerMessage(h, message, wParam, lParam)) return *result;
    }
    switch (message) {
        case WM_KEYDOWN:
            if (control.onKeyDown) {
                WORD key = static_cast<WORD>(wParam);
                control.onKeyDown(h, key, CurrentShiftState());
                if (key == 0) return 0;
                wParam = key;
            }
            break;
        case WM_CHAR:
            if (control.onKeyPress) {
                wchar_t key = static_cast<wchar_t>(wParam);
                control.onKeyPress(h, key);
                if (key == 0) return 0;
                wParam = key;
            }
            break;
        case WM_LBUTTONDOWN: {
            control.focusByClick = true;
            const LRESULT r = CallOriginal(control, message, wParam, lParam);
            control.focusByClick = false;
            return r;
        }
        case WM_SETFOCUS: {
            const LRESULT r = CallOriginal(control, message, wParam, lParam);
            activeControl_ = h;
            if (control.kind == ControlKind::LabeledEdit && !control.focusByClick) {
                ::SendMessageW(h, EM_SETSEL, 0, -1);
            }
            return r;
        }
        case WM_NCDESTROY:
            if (control.ownClass) {
                ::RemoveWindowSubclass(h, &Form::OwnClassProc, 1);
                break;
            }
            ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control.original));
            ::SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            return ::CallWindowProcW(control.original, h, message, wParam, lParam);
        default:
            break;
    }
    return CallOriginal(control, message, wParam, lParam);
}

}  // namespace quillfen

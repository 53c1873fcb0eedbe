#include "ui/About.h"

#include "ui/PictureScale.h"
#include "ui/Resources.h"

namespace quillfen {

namespace {

using C = ControlDescription<TAboutBox>;

TAboutBox* g_aboutBox = nullptr;

constexpr C kControls[] = {
    {"Panel1", ControlKind::Panel, "", 7, 7, 258, 148, "", FontRole::Form, 0},
    {"ProgramIcon", ControlKind::Image, "Panel1", 23, 15, 34, 34, ""},
    {"ProductName", ControlKind::Label, "Panel1", 81, 15, 98, 12, "Quillfen", FontRole::Form, -1,
     true},
    {"Version", ControlKind::Label, "Panel1", 81, 37, 69, 12, "Version 2.03b", FontRole::Form, -1,
     true},
    {"RightsNotice", ControlKind::Label, "Panel1", 7, 73, 246, 12,
     "Copyright © 2026 Quillfen 開発チーム", FontRole::Form, -1, true},
    {"Comments",
     ControlKind::Label,
     "Panel1",
     7,
     95,
     157,
     12,
     "フリーソフトウェアです。",
     FontRole::Form,
     -1,
     false,
     {},
     LabelPosition::Above,
     {},
     false,
     0,
     false,
     true},
    {"OKButton",
     ControlKind::Button,
     "",
     102,
     165,
     69,
     23,
     "OK",
     FontRole::Form,
     1,
     false,
     {},
     LabelPosition::Above,
     {},
     true,
     IDOK},
};

constexpr FormDescription<TAboutBox> kAboutBox{
    L"TAboutBox",
    "バージョン情報",
    FormBorder::Dialog,
    FormPosition::ScreenCenter,
    273,
    195,
    {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -12},
    {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -12},
    {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -12},
    kControls,
    sizeof kControls / sizeof kControls[0],
};

// The stored picture: a length-prefixed kind name ("TIcon") and then an icon file.
HICON IconFromStoredPicture(std::string_view stored) {
    if (stored.empty()) return nullptr;
    const size_t nameLength = static_cast<unsigned char>(stored[0]);
    if (stored.size() < 1 + nameLength + 22) return nullptr;
    return IconFromIconFile(stored.substr(1 + nameLength));
}

}  // namespace

const FormDescription<TAboutBox>& AboutBoxDescription() { return kAboutBox; }

TAboutBox::TAboutBox(TApplication& application) : Form(application) {
    picture_.reset(IconFromStoredPicture(ResourceBytes(L"PROGRAMICON")));
    const LayoutScale scale = CurrentPictureScale();
    if (HICON scaled = ScaleIcon(picture_.get(), scale)) {
        picture_.reset(scaled);
        pictureSize_ = scale(kPictureSize);
    }
    Build(*this, kAboutBox);
    g_aboutBox = this;
}

TAboutBox::~TAboutBox() {
    if (g_aboutBox == this) g_aboutBox = nullptr;
}

TAboutBox* AboutBox() noexcept { return g_aboutBox; }

HWND TAboutBox::CreateCustomControl(const ControlSpec& item, HWND parent, RECT b) {
    if (item.kind != ControlKind::Image) return nullptr;
    return ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, b.left, b.top,
                             b.right - b.left, b.bottom - b.top, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// The icon is drawn at its own size (32 × 32, times the picture factor) at the box's
// top-left, never stretched to the box.
bool TAboutBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != ControlHandle("ProgramIcon")) return false;
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    if (picture_) {
        ::DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, picture_.get(), pictureSize_,
                     pictureSize_, 0, nullptr, DI_NORMAL);
    }
    return true;
}

}  // namespace quillfen

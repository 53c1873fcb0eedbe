#include "ui/forms/About.h"

#include "resources/ResourceIds.h"
#include "ui/forms/FormFonts.h"
#include "ui/win32/ChildWindows.h"
#include "ui/win32/PictureScale.h"
#include "ui/win32/Resources.h"

namespace quillfen {

namespace {

using C = ControlRow<TAboutBox>;

TAboutBox* g_aboutBox = nullptr;

constexpr C kControls[] = {
    {{.name = "Panel1", .kind = ControlKind::Panel, .left = 7, .top = 7, .width = 258,
      .height = 148, .tabOrder = 0}},
    {{.name = "ProgramIcon", .kind = ControlKind::Image, .parent = "Panel1", .left = 23,
      .top = 15, .width = 34, .height = 34}},
    {{.name = "ProductName", .kind = ControlKind::Label, .parent = "Panel1", .left = 81,
      .top = 15, .width = 98, .height = 12, .text = "Quillfen", .autoSize = true}},
    {{.name = "Version", .kind = ControlKind::Label, .parent = "Panel1", .left = 81, .top = 37,
      .width = 69, .height = 12, .text = "Version 2.03b", .autoSize = true}},
    {{.name = "RightsNotice", .kind = ControlKind::Label, .parent = "Panel1", .left = 7,
      .top = 73, .width = 246, .height = 12, .text = "Copyright © 2026 Quillfen 開発チーム",
      .autoSize = true}},
    {{.name = "Comments", .kind = ControlKind::Label, .parent = "Panel1", .left = 7, .top = 95,
      .width = 157, .height = 12, .text = "フリーソフトウェアです。", .wordWrap = true}},
    {{.name = "OKButton", .kind = ControlKind::Button, .left = 102, .top = 165, .width = 69,
      .height = 23, .text = "OK", .tabOrder = 1, .defaultButton = true, .modalResult = IDOK}},
};

constexpr FormTable<TAboutBox> kAboutBox{
    .form =
        {
            .className = L"TAboutBox",
            .caption = "バージョン情報",
            .border = FormBorder::Dialog,
            .position = FormPosition::ScreenCenter,
            .clientWidth = 273,
            .clientHeight = 195,
            .font = kFormFont,
            .largeFont = kFormFont,
            .menuFont = kFormFont,
        },
    .controls = kControls,
};

// The stored picture: a length-prefixed kind name ("TIcon") and then an icon file.
IconHandle IconFromStoredPicture(std::string_view stored) {
    if (stored.empty()) return {};
    const size_t nameLength = static_cast<unsigned char>(stored[0]);
    if (stored.size() < 1 + nameLength + 22) return {};
    return IconFromIconFile(stored.substr(1 + nameLength));
}

}  // namespace

const FormTable<TAboutBox>& AboutBoxDescription() { return kAboutBox; }

TAboutBox::TAboutBox(TApplication& application) : Form(application) {
    picture_ = IconFromStoredPicture(ResourceBytes(resource::kProgramIcon));
    const LayoutScale scale = CurrentPictureScale();
    if (IconHandle scaled = ScaleIcon(picture_.get(), scale)) {
        picture_ = std::move(scaled);
        pictureSize_ = scale(kPictureSize);
    }
    Build(*this, kAboutBox);
    g_aboutBox = this;
}

TAboutBox::~TAboutBox() {
    if (g_aboutBox == this) g_aboutBox = nullptr;
}

TAboutBox* AboutBox() noexcept { return g_aboutBox; }

WideString TAboutBox::AccessibleDescription() const {
    WideString lines;
    for (const char* name : {"ProductName", "Version", "RightsNotice", "Comments"}) {
        if (!lines.empty()) lines += L"\r\n";
        lines += Widen(GetWindowTextUtf8(ControlHandle(name)));
    }
    return lines;
}

HWND TAboutBox::CreateCustomControl(const ControlDescription& item, HWND parent, RECT b) {
    if (item.kind != ControlKind::Image) return nullptr;
    return CreateStatic(parent, L"", SS_OWNERDRAW, b);
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

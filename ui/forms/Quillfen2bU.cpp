#include "ui/forms/Quillfen2bU.h"

#include <utility>

#include "ui/framework/Application.h"
#include "resources/ResourceIds.h"
#include "resources/StringIds.h"
#include "resources/VoiceClip.h"
#include "ui/forms/About.h"
#include "ui/forms/Form1Description.h"
#include "ui/forms/MessageDialogs.h"
#include "ui/forms/ProgramTexts.h"
#include "ui/win32/DisplayMetrics.h"
#include "ui/win32/PictureScale.h"
#include "ui/win32/ImageList.h"
#include "ui/win32/LiveRegion.h"
#include "ui/win32/Resources.h"
#include "ui/win32/Text.h"

namespace quillfen {

TForm1::TForm1(TApplication& application) : Form(application) {
    calculate = [](const std::array<std::string, 6>& texts, std::uint8_t night) {
        return CalculateTrip(texts, night);
    };
    playClip = [] { return PlayVoiceClip(); };
    announce = [](HWND memo, const std::string& text) {
        AnnounceLiveRegion(memo, Widen(text), L"Quillfen.Calculate");
    };
    // The commands and their pictures exist before the menu bar that shows them.
    TakePictures(ScreenPixelsPerInch());
    actionManager_.Build(*this, Form1Actions());
    Build(*this, Form1Description());
    if (icon_) {
        // The caption shows the small icon; the large one can wait (see TApplication).
        ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
        application.WhenFirstIdle([this] {
            ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
        });
    }
}

// The button's clock, the menu pictures and the window icon at the density's picture size,
// all made before any is replaced. Returns the icon it replaces (none where the new one
// could not be made, which leaves the old one), for the window to let go of first.
IconHandle TForm1::TakePictures(int pixelsPerInch) {
    const LayoutScale pictures = PictureScaleForDensity(pixelsPerInch);
    GlyphStrip glyph =
        GlyphStrip::FromStoredBitmap(ResourceBytes(resource::kBitBtn1Glyph), 2, pictures);
    ImageListHandle images = ReadImageList(ResourceBytes(resource::kImageList1));
    if (!images) throw Exception("ストリームからの ImageList データの読み込みに失敗しました");
    if (ImageListHandle scaled = ScaleImageList(images.get(), pictures)) images = std::move(scaled);
    IconHandle icon = IconFromIconFile(ResourceBytes(resource::kFormIcon));
    if (IconHandle scaled = ScaleIcon(icon.get(), pictures)) icon = std::move(scaled);
    glyph_ = std::move(glyph);
    // The bar takes the new list before the old one is destroyed.
    const ImageListHandle previous = std::exchange(imageList_, std::move(images));
    if (menuBar_) menuBar_->TakeImages(imageList_.get());
    if (!icon) return {};
    return std::exchange(icon_, std::move(icon));
}

void TForm1::DensityTaken(int pixelsPerInch) {
    const IconHandle shown = TakePictures(pixelsPerInch);  // destroyed once it is not shown
    if (!shown) return;
    const auto icon = reinterpret_cast<LPARAM>(icon_.get());
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, icon);
    // The large one only where it has been given: it waits for the first idle moment.
    if (::SendMessageW(hwnd(), WM_GETICON, ICON_BIG, 0))
        ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, icon);
}

HWND TForm1::CreateCustomControl(const ControlDescription& item, HWND parent, RECT bounds) {
    if (item.kind == ControlKind::ControlBar) {
        controlBar_ = MakeWindow<ControlBar>(parent, bounds);
        return controlBar_->hwnd();
    }
    if (item.kind == ControlKind::MenuBar) {
        // Using the menu cuts off the cat's cry if it is still sounding.
        MenuBar::Callbacks callbacks{
            .execute = [this](TAction& action) { TActionManager::Execute(action, application_); },
            .highlight =
                [this](const TAction& action) {
                    application_.hint = std::string(LongHint(action.hint));
                },
            .dropDownOpens = &StopSounds,
            .commandChosen = &StopSounds};
        menuBar_ = MakeWindow<MenuBar>(parent, bounds, BuildMenu(Form1MenuLayout(), actionManager_),
                                       &CurrentMenuPalette, imageList_.get(), std::move(callbacks),
                                       Widen(LoadText(IDS_MENU_OPEN)));
        return menuBar_->hwnd();
    }
    return nullptr;
}

bool TForm1::PreTranslateKey(const MSG& msg) {
    if (menuBar_) {
        if (msg.message == WM_SYSCHAR &&
            menuBar_->OpenByMnemonic(static_cast<wchar_t>(msg.wParam))) {
            return true;
        }
        // In menu mode the bar reads the keys itself.
        if (msg.hwnd == menuBar_->hwnd() && msg.message == WM_KEYDOWN) return false;
    }
    return Form::PreTranslateKey(msg);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Alt alone and F10 arrive as the menu key command with no letter. The window has no
    // standard menu, so left alone they would open its window menu.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && menuBar_) {
        if (menuBar_->InMenuMode()) {
            menuBar_->LeaveMenuMode();
        } else {
            menuBar_->EnterMenuMode();
        }
        return 0;
    }
    // Sent to top-level windows only; the bar draws with colours made from them.
    if (menuBar_ &&
        (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE || message == WM_THEMECHANGED))
        menuBar_->SystemColoursChanged();
    return Form::HandleMessage(message, wParam, lParam);
}

// Selects the memo's whole text and copies it; the focus stays where it is.
void TForm1::EditCopyExecute(TAction&) {
    const HWND memo = ControlHandle("Memo1");
    ::SendMessageW(memo, EM_SETSEL, 0, -1);
    ::SendMessageW(memo, WM_COPY, 0, 0);
}

void TForm1::MInimizeExecute(TAction&) { application_.Minimize(); }

void TForm1::HelpAboutExecute(TAction&) {
    if (TAboutBox* about = AboutBox()) about->ShowModal();
}

bool TForm1::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != ControlHandle("BitBtn1")) return false;
    DrawGlyphButton(item, glyph_, FontFor(FontRole::Form));
    return true;
}

std::string TForm1::FieldText(const char* name) const {
    return GetWindowTextUtf8(ControlHandle(name));
}

void TForm1::SetFieldText(const char* name, const std::string& text) {
    SetWindowTextUtf8(ControlHandle(name), text);
}

// Enter fills an empty time field with "00" and moves on along the entry chain.
void TForm1::EnterInTimeField(const char* field, const char* next) {
    if (::GetWindowTextLengthW(ControlHandle(field)) == 0) SetFieldText(field, "00");
    FocusControl(ControlHandle(next));
}

void TForm1::LabeledEdit1KeyDown(HWND, WORD& key, ShiftState) {
    if (key == VK_RETURN) EnterInTimeField("LabeledEdit1", "LabeledEdit2");
}
void TForm1::LabeledEdit2KeyDown(HWND, WORD& key, ShiftState) {
    if (key == VK_RETURN) EnterInTimeField("LabeledEdit2", "LabeledEdit3");
}
void TForm1::LabeledEdit3KeyDown(HWND, WORD& key, ShiftState) {
    if (key == VK_RETURN) EnterInTimeField("LabeledEdit3", "LabeledEdit4");
}
void TForm1::LabeledEdit4KeyDown(HWND, WORD& key, ShiftState) {
    if (key == VK_RETURN) EnterInTimeField("LabeledEdit4", "LabeledEdit5");
}
void TForm1::LabeledEdit5KeyDown(HWND, WORD& key, ShiftState) {
    if (key == VK_RETURN) EnterInTimeField("LabeledEdit5", "LabeledEdit6");
}
void TForm1::LabeledEdit6KeyDown(HWND, WORD& key, ShiftState) {
    if (key == VK_RETURN) EnterInTimeField("LabeledEdit6", "LabeledEdit7");
}

void TForm1::LabeledEdit7KeyDown(HWND, WORD& key, ShiftState) {
    if (key != VK_RETURN) return;
    if (FieldText("LabeledEdit7").empty()) SetFieldText("LabeledEdit7", "0");
    NightTrain = FieldText("LabeledEdit7") == "1" ? 1 : 0;
    FocusControl(ControlHandle("BitBtn1"));
}

void TForm1::LabeledEdit7Change(HWND) { NightTrain = FieldText("LabeledEdit7") == "1" ? 1 : 0; }

// Hour and minute fields take the digits and backspace only.
void TForm1::FilterDigits(wchar_t& key) {
    if (!((key >= L'0' && key <= L'9') || key == L'\b')) key = 0;
}
void TForm1::LabeledEdit1KeyPress(HWND, wchar_t& key) { FilterDigits(key); }
void TForm1::LabeledEdit2KeyPress(HWND, wchar_t& key) { FilterDigits(key); }
void TForm1::LabeledEdit4KeyPress(HWND, wchar_t& key) { FilterDigits(key); }
void TForm1::LabeledEdit5KeyPress(HWND, wchar_t& key) { FilterDigits(key); }

void TForm1::BitBtn1Click(HWND) {
    const std::array<std::string, 6> texts{FieldText("LabeledEdit1"), FieldText("LabeledEdit2"),
                                           FieldText("LabeledEdit3"), FieldText("LabeledEdit4"),
                                           FieldText("LabeledEdit5"), FieldText("LabeledEdit6")};
    const TripResult result = calculate(texts, NightTrain);
    DepartHour = result.Readings[0];
    DepartMinute = result.Readings[1];
    DepartSecond = result.Readings[2];
    ArriveHour = result.Readings[3];
    ArriveMinute = result.Readings[4];
    ArriveSecond = result.Readings[5];

    const TripOutcome& outcome = result.Outcome;
    if (outcome.DialogKind != TripDialog::None) {
        const TMsgDlgType kind = outcome.DialogKind == TripDialog::Warning ? TMsgDlgType::mtWarning
                                                                           : TMsgDlgType::mtError;
        ShowMessageDialog(outcome.DialogText, kind, {mbOK}, 0);
    }
    SetFieldText("Memo1", outcome.MemoText);
    if (outcome.StartClip) {
        bool started = false;
        try {
            started = playClip();
        } catch (...) {
            started = false;
        }
        if (!started) ShowPlainMessage("猫がいません");
    }
    const HWND first = ControlHandle("LabeledEdit1");
    FocusControl(first);
    // Focusing the window that has the focus sends no WM_SETFOCUS, which is where a
    // keyboard move selects the text: Alt+C pressed in this field would leave it as it was.
    ::SendMessageW(first, EM_SETSEL, 0, -1);
    // Last, so that the focus settling on the field does not cut the result short.
    announce(ControlHandle("Memo1"), outcome.MemoText);
}

}  // namespace quillfen

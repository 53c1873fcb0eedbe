#include "ui/Form1Description.h"

#include "ui/Quillfen2bU.h"

namespace quillfen {

namespace {

using C = ControlDescription<TForm1>;
using E = ControlEvents<TForm1>;
constexpr ControlKind kGroupBox = ControlKind::GroupBox;
constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kEdit = ControlKind::LabeledEdit;
constexpr FontRole kLarge = FontRole::Large;
constexpr FontRole kForm = FontRole::Form;

constexpr E Keys(void (TForm1::*down)(HWND, WORD&, ShiftState),
                 void (TForm1::*press)(HWND, wchar_t&) = nullptr,
                 void (TForm1::*change)(HWND) = nullptr) {
    return {down, press, nullptr, change};
}

// Creation order is z-order: each attached label is created just before its field, so
// accessibility tools name the field by it.
constexpr C kControls[] = {
    {"GroupBox1", kGroupBox, "", 8, 32, 209, 169, "時間", kForm, 0},
    {"Label1", kLabel, "GroupBox1", 8, 32, 24, 16, "発：", kLarge, -1, true},
    {"Label2", kLabel, "GroupBox1", 8, 104, 24, 16, "着：", kLarge, -1, true},
    {"Label3", kLabel, "GroupBox1", 80, 32, 17, 17, "：", kLarge},
    {"Label4", kLabel, "GroupBox1", 136, 32, 17, 17, "：", kLarge},
    {"Label5", kLabel, "GroupBox1", 80, 104, 17, 17, "：", kLarge},
    {"Label6", kLabel, "GroupBox1", 136, 104, 17, 17, "：", kLarge},
    {"Label7", kLabel, "GroupBox1", 96, 64, 17, 17, "↓", kLarge},
    {"LabeledEdit1", kEdit, "GroupBox1", 40, 32, 33, 20, "", kForm, 0, false, "時",
     LabelPosition::Above, Keys(&TForm1::LabeledEdit1KeyDown, &TForm1::LabeledEdit1KeyPress)},
    {"LabeledEdit2", kEdit, "GroupBox1", 96, 32, 33, 20, "", kForm, 1, false, "分",
     LabelPosition::Above, Keys(&TForm1::LabeledEdit2KeyDown, &TForm1::LabeledEdit2KeyPress)},
    {"LabeledEdit3", kEdit, "GroupBox1", 152, 32, 33, 20, "", kForm, 2, false, "秒",
     LabelPosition::Above, Keys(&TForm1::LabeledEdit3KeyDown)},
    {"LabeledEdit4", kEdit, "GroupBox1", 40, 104, 33, 20, "", kForm, 3, false, "時",
     LabelPosition::Above, Keys(&TForm1::LabeledEdit4KeyDown, &TForm1::LabeledEdit4KeyPress)},
    {"LabeledEdit5", kEdit, "GroupBox1", 96, 104, 33, 20, "", kForm, 4, false, "分",
     LabelPosition::Above, Keys(&TForm1::LabeledEdit5KeyDown, &TForm1::LabeledEdit5KeyPress)},
    {"LabeledEdit6", kEdit, "GroupBox1", 152, 104, 33, 20, "", kForm, 5, false, "秒",
     LabelPosition::Above, Keys(&TForm1::LabeledEdit6KeyDown)},
    {"LabeledEdit7", kEdit, "GroupBox1", 152, 136, 33, 20, "", kForm, 6, false,
     "夜行に乗る(0 or 1)", LabelPosition::Left,
     Keys(&TForm1::LabeledEdit7KeyDown, nullptr, &TForm1::LabeledEdit7Change)},
    {"BitBtn1",
     ControlKind::GlyphButton,
     "",
     72,
     208,
     75,
     25,
     "計算(&C)",
     kForm,
     1,
     false,
     {},
     LabelPosition::Above,
     E{nullptr, nullptr, &TForm1::BitBtn1Click, nullptr}},
    {"Memo1", ControlKind::Memo, "", 8, 240, 209, 57, "出発・到着時刻を入力してくだ\r\nさい。",
     kLarge, 2},
    {"ControlBar1", ControlKind::ControlBar, "", 0, 0, 221, 26, "", kForm, 3},
    {"ActionMainMenuBar1", ControlKind::MenuBar, "ControlBar1", 11, 2, 208, 22, "",
     FontRole::MenuBar},
};

constexpr FormDescription<TForm1> kForm1{
    L"TForm1",
    "Quillfen_2.03b",
    FormBorder::Single,
    FormPosition::DesktopCenter,
    221,
    302,
    {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -12},
    {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -16},
    {L"MS UI Gothic", SHIFTJIS_CHARSET, -12},
    kControls,
    sizeof kControls / sizeof kControls[0],
};

constexpr std::string_view kPawCategory = "猫の手(&P)";
constexpr std::string_view kHelpCategory = "ヘルプ(&H)";

constexpr ActionDescription kActions[] = {
    {"EditCopy", ActionKind::Plain, kPawCategory, "結果をクリップボードにコピー(&C)", 0, "",
     &TForm1::EditCopyExecute},
    {"MInimize", ActionKind::Plain, kPawCategory, "最小化(&M)", kNoImage, "",
     &TForm1::MInimizeExecute},
    {"FileExit1", ActionKind::FileExit, kPawCategory, "終了(&X)", 1,
     "終了|アプリケーションを終了する", nullptr},
    {"HelpAbout", ActionKind::Plain, kHelpCategory, "バージョン情報(&A)", 2, "",
     &TForm1::HelpAboutExecute},
};

constexpr MenuItemDescription kMenuLayout[] = {
    {0, "猫の手(&P)", ""}, {1, "", "EditCopy"},   {1, "", "MInimize"},  {1, "-", ""},
    {1, "", "FileExit1"},  {0, "ヘルプ(&H)", ""}, {1, "", "HelpAbout"},
};

}  // namespace

const FormDescription<TForm1>& Form1Description() { return kForm1; }

Table<ActionDescription> Form1Actions() { return {kActions, sizeof kActions / sizeof kActions[0]}; }

Table<MenuItemDescription> Form1MenuLayout() {
    return {kMenuLayout, sizeof kMenuLayout / sizeof kMenuLayout[0]};
}

}  // namespace quillfen

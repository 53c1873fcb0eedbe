#include "ui/forms/Form1Description.h"

#include "ui/forms/FormFonts.h"
#include "ui/forms/Quillfen2bU.h"

namespace quillfen {

namespace {

using C = ControlRow<TForm1>;
constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kEdit = ControlKind::LabeledEdit;
constexpr FontRole kLarge = FontRole::Large;

// Creation order is z-order: each attached label is created just before its field, so
// accessibility tools name the field by it. The time fields' labels say only the unit, so
// their names say departure or arrival as well; the memo has no label at all.
constexpr C kControls[] = {
    {{.name = "GroupBox1", .kind = ControlKind::GroupBox, .left = 8, .top = 32, .width = 209,
      .height = 169, .text = "時間", .tabOrder = 0}},
    {{.name = "Label1", .kind = kLabel, .parent = "GroupBox1", .left = 8, .top = 32, .width = 24,
      .height = 16, .text = "発：", .font = kLarge, .autoSize = true}},
    {{.name = "Label2", .kind = kLabel, .parent = "GroupBox1", .left = 8, .top = 104, .width = 24,
      .height = 16, .text = "着：", .font = kLarge, .autoSize = true}},
    {{.name = "Label3", .kind = kLabel, .parent = "GroupBox1", .left = 80, .top = 32, .width = 17,
      .height = 17, .text = "：", .font = kLarge}},
    {{.name = "Label4", .kind = kLabel, .parent = "GroupBox1", .left = 136, .top = 32, .width = 17,
      .height = 17, .text = "：", .font = kLarge}},
    {{.name = "Label5", .kind = kLabel, .parent = "GroupBox1", .left = 80, .top = 104, .width = 17,
      .height = 17, .text = "：", .font = kLarge}},
    {{.name = "Label6", .kind = kLabel, .parent = "GroupBox1", .left = 136, .top = 104, .width = 17,
      .height = 17, .text = "：", .font = kLarge}},
    {{.name = "Label7", .kind = kLabel, .parent = "GroupBox1", .left = 96, .top = 64, .width = 17,
      .height = 17, .text = "↓", .font = kLarge}},
    {{.name = "LabeledEdit1", .kind = kEdit, .parent = "GroupBox1", .left = 40, .top = 32,
      .width = 33, .height = 20, .tabOrder = 0, .labelText = "時",
      .accessibleName = "出発 時"},
     {.keyDown = &TForm1::LabeledEdit1KeyDown, .keyPress = &TForm1::LabeledEdit1KeyPress}},
    {{.name = "LabeledEdit2", .kind = kEdit, .parent = "GroupBox1", .left = 96, .top = 32,
      .width = 33, .height = 20, .tabOrder = 1, .labelText = "分",
      .accessibleName = "出発 分"},
     {.keyDown = &TForm1::LabeledEdit2KeyDown, .keyPress = &TForm1::LabeledEdit2KeyPress}},
    {{.name = "LabeledEdit3", .kind = kEdit, .parent = "GroupBox1", .left = 152, .top = 32,
      .width = 33, .height = 20, .tabOrder = 2, .labelText = "秒",
      .accessibleName = "出発 秒"},
     {.keyDown = &TForm1::LabeledEdit3KeyDown}},
    {{.name = "LabeledEdit4", .kind = kEdit, .parent = "GroupBox1", .left = 40, .top = 104,
      .width = 33, .height = 20, .tabOrder = 3, .labelText = "時",
      .accessibleName = "到着 時"},
     {.keyDown = &TForm1::LabeledEdit4KeyDown, .keyPress = &TForm1::LabeledEdit4KeyPress}},
    {{.name = "LabeledEdit5", .kind = kEdit, .parent = "GroupBox1", .left = 96, .top = 104,
      .width = 33, .height = 20, .tabOrder = 4, .labelText = "分",
      .accessibleName = "到着 分"},
     {.keyDown = &TForm1::LabeledEdit5KeyDown, .keyPress = &TForm1::LabeledEdit5KeyPress}},
    {{.name = "LabeledEdit6", .kind = kEdit, .parent = "GroupBox1", .left = 152, .top = 104,
      .width = 33, .height = 20, .tabOrder = 5, .labelText = "秒",
      .accessibleName = "到着 秒"},
     {.keyDown = &TForm1::LabeledEdit6KeyDown}},
    {{.name = "LabeledEdit7", .kind = kEdit, .parent = "GroupBox1", .left = 152, .top = 136,
      .width = 33, .height = 20, .tabOrder = 6, .labelText = "夜行に乗る(0 or 1)",
      .labelPosition = LabelPosition::Left,
      .accessibleName = "夜行に乗る(0 or 1)"},
     {.keyDown = &TForm1::LabeledEdit7KeyDown, .change = &TForm1::LabeledEdit7Change}},
    {{.name = "BitBtn1", .kind = ControlKind::GlyphButton, .left = 72, .top = 208, .width = 75,
      .height = 25, .text = "計算(&C)", .tabOrder = 1},
     {.click = &TForm1::BitBtn1Click}},
    {{.name = "Memo1", .kind = ControlKind::Memo, .left = 8, .top = 240, .width = 209,
      .height = 57, .text = "出発・到着時刻を入力してくだ\r\nさい。", .font = kLarge,
      .tabOrder = 2, .accessibleName = "結果", .liveRegion = true}},
    {{.name = "ControlBar1", .kind = ControlKind::ControlBar, .left = 0, .top = 0, .width = 221,
      .height = 26, .tabOrder = 3}},
    {{.name = "ActionMainMenuBar1", .kind = ControlKind::MenuBar, .parent = "ControlBar1",
      .left = ControlBar::kGripWidth, .top = 2, .width = 208, .height = 22,
      .font = FontRole::MenuBar}},
};

constexpr FormTable<TForm1> kForm1{
    .form =
        {
            .className = L"TForm1",
            .caption = "Quillfen_2.03b",
            .border = FormBorder::Single,
            .position = FormPosition::DesktopCenter,
            .clientWidth = 221,
            .clientHeight = 302,
            .font = kFormFont,
            .largeFont = kLargeFont,
            .menuFont = kMenuFont,
        },
    .controls = kControls,
};

constexpr std::string_view kPawCategory = "猫の手(&P)";
constexpr std::string_view kHelpCategory = "ヘルプ(&H)";

constexpr ActionDescription<TForm1> kActions[] = {
    {.name = "EditCopy", .category = kPawCategory, .caption = "結果をクリップボードにコピー(&C)",
     .imageIndex = 0, .execute = &TForm1::EditCopyExecute},
    {.name = "MInimize", .category = kPawCategory, .caption = "最小化(&M)",
     .execute = &TForm1::MInimizeExecute},
    {.name = "FileExit1", .kind = ActionKind::FileExit, .category = kPawCategory,
     .caption = "終了(&X)", .imageIndex = 1, .hint = "終了|アプリケーションを終了する"},
    {.name = "HelpAbout", .category = kHelpCategory, .caption = "バージョン情報(&A)",
     .imageIndex = 2, .execute = &TForm1::HelpAboutExecute},
};

constexpr MenuItemDescription kMenuLayout[] = {
    {.level = 0, .caption = kPawCategory}, {.level = 1, .action = "EditCopy"},
    {.level = 1, .action = "MInimize"},    {.level = 1, .caption = "-"},
    {.level = 1, .action = "FileExit1"},   {.level = 0, .caption = kHelpCategory},
    {.level = 1, .action = "HelpAbout"},
};

}  // namespace

const FormTable<TForm1>& Form1Description() { return kForm1; }

std::span<const ActionDescription<TForm1>> Form1Actions() { return kActions; }

std::span<const MenuItemDescription> Form1MenuLayout() { return kMenuLayout; }

}  // namespace quillfen

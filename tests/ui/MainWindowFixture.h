// The main window as start-up leaves it, and what tests read off the windows.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ui/forms/Quillfen2bU.h"
#include "ui/framework/Application.h"
#include "ui/win32/Text.h"

namespace quillfen::testing {

std::wstring ClassOf(HWND hwnd);
std::wstring TextOf(HWND hwnd);
RECT RectInParent(HWND hwnd);
std::pair<int, int> Selection(HWND edit);
// The window class a control of the kind is built as.
std::wstring WindowClassOf(ControlKind kind);

// Watches windows being activated on this thread (message dialogs, message boxes) and
// hands each one to a callback, which may close it.
class ActivationWatch {
public:
    explicit ActivationWatch(std::function<void(HWND)> onActivate);
    ~ActivationWatch();

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
};

// From now on a modal window of this thread that stays up longer than a test's steps
// take is closed, and the running test fails with its title and text.
void GuardAgainstForgottenDialogs();

// The six time fields, departure hour to arrival second.
extern const char* const kTimeFields[6];

// A fresh application with its main window shown, as start-up leaves it.
struct MainWindowFixture {
    MainWindowFixture();
    ~MainWindowFixture();
    HWND Control(const char* name) const { return form->ControlHandle(name); }
    // Puts texts into the six time fields, departure hour first.
    void SetTimeFields(const std::array<const wchar_t*, 6>& texts) const;

    std::unique_ptr<TApplication> app;
    TForm1* form = nullptr;
};

// Every control of a stored table built as described: class, parent, scaled position and
// size (a label sized to its text keeps its own), and text.
template <typename FormT>
void ExpectBuiltAsDescribed(const Form& form, const FormTable<FormT>& table) {
    const LayoutScale scale = form.Scale();
    for (const ControlRow<FormT>& row : table.controls) {
        const ControlDescription& c = row.control;
        SCOPED_TRACE(std::string(c.name));
        const HWND h = form.ControlHandle(c.name);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(ClassOf(h), WindowClassOf(c.kind));
        EXPECT_EQ(::GetParent(h), c.parent.empty() ? form.hwnd() : form.ControlHandle(c.parent));
        const RECT r = RectInParent(h);
        EXPECT_EQ(r.left, scale(c.left));
        EXPECT_EQ(r.top, scale(c.top));
        if (!c.autoSize) {
            EXPECT_EQ(r.right - r.left, scale(c.width));
        }
        if (!c.autoSize && !c.wordWrap) {
            EXPECT_EQ(r.bottom - r.top, scale(c.height));
        }
        EXPECT_EQ(TextOf(h), Widen(c.text).c_str());
    }
}

}  // namespace quillfen::testing

// The About box: its layout as built from its stored form, the modal showing with its
// results, the disabled main window, and reuse of the one window where it was left.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "MenuTestSupport.h"
#include "ui/forms/About.h"
#include "ui/win32/Layout.h"

namespace quillfen::testing {
namespace {

struct AboutFixture : MainWindowFixture {
    AboutFixture() : about(app->CreateForm<TAboutBox>()) {}
    HWND Item(const char* name) const { return about.ControlHandle(name); }
    TAboutBox& about;
};

TEST(AboutBoxLayout, ControlsOfTheStoredForm) {
    AboutFixture f;
    ExpectBuiltAsDescribed(f.about, AboutBoxDescription());
    // The two texts of our own: one line each, within their widths, the remark below
    // the rights notice.
    const RECT rights = RectInParent(f.Item("RightsNotice"));
    const RECT comments = RectInParent(f.Item("Comments"));
    const RECT product = RectInParent(f.Item("ProductName"));
    EXPECT_LE(rights.right - rights.left, f.about.Scale()(246));
    EXPECT_EQ(rights.bottom - rights.top, product.bottom - product.top);
    EXPECT_EQ(comments.bottom - comments.top, product.bottom - product.top) << "one line";
    EXPECT_GE(comments.top, rights.bottom);
    EXPECT_FALSE(TextOf(f.Item("RightsNotice")).empty());
    EXPECT_NE(TextOf(f.Item("Comments")).find(L"フリー"), std::wstring::npos);
}

TEST(AboutBoxLayout, DialogFrameWithTheCloseBoxOnlyAndOkAsDefault) {
    AboutFixture f;
    const HWND h = f.about.hwnd();
    EXPECT_EQ(ClassOf(h), L"TAboutBox");
    EXPECT_EQ(TextOf(h), L"バージョン情報");
    EXPECT_FALSE(::IsWindowVisible(h)) << "hidden until asked for";
    RECT client{};
    ::GetClientRect(h, &client);
    EXPECT_EQ(client.right, f.about.Scale()(273));
    EXPECT_EQ(client.bottom, f.about.Scale()(195));
    const LONG style = ::GetWindowLongW(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(::SendMessageW(h, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(::GetWindow(h, GW_OWNER), f.app->hwnd());
    EXPECT_EQ((::GetWindowLongW(f.Item("OKButton"), GWL_STYLE) & 0x0F), BS_DEFPUSHBUTTON);
    EXPECT_EQ(f.about.TabStops(), std::vector<HWND>{f.Item("OKButton")});
}

// Runs the box modally; `act` runs from inside its loop once it is active.
struct ModalRun {
    int result = -1;
    int activations = 0;
    bool mainDisabled = false;
    HWND focusAtStart = nullptr;
    RECT rect{};
};

ModalRun RunModal(AboutFixture& f, std::function<void()> act) {
    ModalRun run;
    ActivationWatch watch([&](HWND h) {
        if (h != f.about.hwnd() || run.activations++) return;
        run.mainDisabled = !::IsWindowEnabled(f.form->hwnd());
        ::GetWindowRect(h, &run.rect);
        RunSoon([&run, act] {
            run.focusAtStart = ::GetFocus();
            act();
        });
    });
    run.result = f.about.ShowModal();
    return run;
}

TEST(AboutBoxModal, HowItClosesAndWhatItReturns) {
    struct Case {
        const char* name;
        std::function<void(AboutFixture&)> act;
        int result;
    } cases[] = {
        {"Enter", [](AboutFixture& f) { PressKeyInLoop(*f.app, VK_RETURN); }, IDOK},
        {"Space", [](AboutFixture& f) { PressKeyInLoop(*f.app, VK_SPACE); }, IDOK},
        {"click", [](AboutFixture& f) { ::SendMessageW(f.Item("OKButton"), BM_CLICK, 0, 0); },
         IDOK},
        {"close box",
         [](AboutFixture& f) { ::PostMessageW(f.about.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },
         IDCANCEL},
        {"Alt+F4", [](AboutFixture& f) { PressKeyInLoop(*f.app, VK_F4, false, false, true); },
         IDCANCEL},
        {"Escape, then Enter",
         [](AboutFixture& f) {
             PressKeyInLoop(*f.app, VK_ESCAPE);
             RunSoon([&f] {
                 EXPECT_TRUE(::IsWindowVisible(f.about.hwnd())) << "Escape does nothing";
                 PressKeyInLoop(*f.app, VK_RETURN);
             });
         },
         IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AboutFixture f;
        const HWND focus = ::GetFocus();
        const ModalRun run = RunModal(f, [&] { c.act(f); });
        EXPECT_EQ(run.result, c.result);
        EXPECT_TRUE(run.mainDisabled);
        EXPECT_EQ(run.focusAtStart, f.Item("OKButton"));
        EXPECT_FALSE(::IsWindowVisible(f.about.hwnd()));
        EXPECT_TRUE(::IsWindowEnabled(f.form->hwnd()));
        EXPECT_EQ(::GetActiveWindow(), f.form->hwnd());
        EXPECT_EQ(::GetFocus(), focus);
    }
}

TEST(AboutBoxModal, AQuitRequestEndsItWithCancelAndStillEndsTheProgram) {
    AboutFixture f;
    const ModalRun run = RunModal(f, [] { ::PostQuitMessage(0); });
    EXPECT_EQ(run.result, IDCANCEL);
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(::IsWindowEnabled(f.form->hwnd()));
}

TEST(AboutBoxModal, CentredAtFirstThenShownAgainWhereItWasLeft) {
    AboutFixture f;
    const HWND window = f.about.hwnd();
    const ModalRun first = RunModal(f, [&] {
        ::SetWindowPos(window, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PressKeyInLoop(*f.app, VK_RETURN);
    });
    const int width = first.rect.right - first.rect.left;
    const int height = first.rect.bottom - first.rect.top;
    EXPECT_EQ(first.rect.left, CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), width));
    EXPECT_EQ(first.rect.top, CentredOrigin(::GetSystemMetrics(SM_CYSCREEN), height));

    const ModalRun second = RunModal(f, [&] { PressKeyInLoop(*f.app, VK_RETURN); });
    EXPECT_EQ(f.about.hwnd(), window) << "the same window each time";
    EXPECT_EQ(second.rect.left, 40);
    EXPECT_EQ(second.rect.top, 50);
    EXPECT_EQ(second.result, IDOK);
    EXPECT_EQ(second.focusAtStart, f.Item("OKButton"));
}

TEST(AboutBoxModal, ThePictureIsDrawnAtItsOwnSizeInTheCorner) {
    AboutFixture f;
    COLORREF inside = 0, right = 0, below = 0, corner = 0;
    RunModal(f, [&] {
        const HWND icon = f.Item("ProgramIcon");
        ::UpdateWindow(f.about.hwnd());
        WindowDc dc(icon);
        inside = ::GetPixel(dc.get(), 16, 5);
        right = ::GetPixel(dc.get(), 33, 16);
        below = ::GetPixel(dc.get(), 16, 33);
        corner = ::GetPixel(dc.get(), 0, 0);
        PressKeyInLoop(*f.app, VK_RETURN);
    });
    EXPECT_EQ(inside, RGB(0, 0xE0, 0));
    EXPECT_EQ(right, ::GetSysColor(COLOR_BTNFACE)) << "not stretched to the box";
    EXPECT_EQ(below, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(corner, ::GetSysColor(COLOR_BTNFACE)) << "the bevelled corner is transparent";
}

TEST(AboutBoxModal, MinimisingTheApplicationMeanwhileBringsTheBoxBackOnRestore) {
    AboutFixture f;
    bool hiddenWhileMinimised = false, backAfterRestore = false, mainStillDisabled = false;
    HWND focusAfterRestore = nullptr;
    const ModalRun run = RunModal(f, [&] {
        ::SendMessageW(f.app->hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        RunSoon([&] {
            hiddenWhileMinimised = f.app->Minimized() && !::IsWindowVisible(f.about.hwnd());
            ::SendMessageW(f.app->hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
            RunSoon([&] {
                backAfterRestore = ::IsWindowVisible(f.about.hwnd());
                mainStillDisabled = !::IsWindowEnabled(f.form->hwnd());
                focusAfterRestore = ::GetFocus();
                if (!backAfterRestore) ::ShowWindow(f.about.hwnd(), SW_SHOW);
                ::SetFocus(f.Item("OKButton"));
                PressKeyInLoop(*f.app, VK_RETURN);
            });
        });
    });
    EXPECT_TRUE(hiddenWhileMinimised);
    EXPECT_TRUE(backAfterRestore);
    EXPECT_TRUE(mainStillDisabled);
    EXPECT_EQ(focusAfterRestore, f.Item("OKButton"));
    EXPECT_EQ(run.result, IDOK);
    EXPECT_TRUE(::IsWindowVisible(f.form->hwnd()));
}

}  // namespace
}  // namespace quillfen::testing

// The application object: the taskbar window that owns every form, the event loop
// with its last-resort error display, and application-wide minimise and restore.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/framework/Form.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Handles.h"
#include "ui/framework/Window.h"

namespace quillfen {

class TApplication : public Window {
public:
    // `iconName`: the program's icon resource, for the taskbar entry and the task switcher.
    explicit TApplication(const wchar_t* iconName = nullptr);
    ~TApplication() override;

    static TApplication* Instance() noexcept;

    void SetTitle(std::string_view title);
    std::string Title() const;

    // Builds a form owned by the application; the first one becomes the main window.
    template <typename T>
    T& CreateForm() {
        auto form = MakeWindow<T>(*this);
        T& ref = *form;
        forms_.push_back(std::move(form));
        if (!mainForm_) mainForm_ = &ref;
        return ref;
    }
    Form* MainForm() const noexcept { return mainForm_; }

    // Start-up work the first showing does not need: run once at the first idle moment
    // of the event loop, or before the first key or mouse button if that comes sooner.
    void WhenFirstIdle(std::function<void()> step);
    void RunFirstIdleSteps();

    // The event loop; returns once terminated.
    void Run();
    // Takes one message off the queue and handles it; waits when `wait` and none is there.
    // Returns false when there was nothing to do.
    bool ProcessMessage(bool wait);
    // Pre-translation, translation and dispatch of one message, with the error display.
    void DispatchOne(MSG& msg);
    void Terminate() noexcept;
    // A form shown modally takes its dialog keys even when the application does not own it.
    void BeginModal(Form& form);
    void EndModal(Form& form) noexcept;
    bool Terminated() const noexcept { return terminated_; }

    void Minimize();
    void Restore();
    bool Minimized() const noexcept;

    // The last-resort error display: a stop box titled with the application title.
    void ShowException(std::exception_ptr error);
    // The font its text falls back to where the system's message font lacks its glyphs.
    void SetErrorBoxFallbackFont(const FontDescription& font) noexcept { errorBoxFont_ = font; }
    // The message as the box shows it: "." appended unless it ends in a byte up to ".".
    static std::string ErrorBoxText(std::string message);

    // Help and hint state the menu commands touch.
    std::string hint;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyShowCommand();
    void ReloadSettings();
    void Shutdown() noexcept;
    Form* FormOfFocus() const noexcept;

    std::vector<WindowPtr<Form>> forms_;
    Form* mainForm_ = nullptr;
    std::vector<Form*> modalForms_;
    std::vector<std::function<void()>> firstIdleSteps_;
    bool terminated_ = false;
    HWND focusBeforeMinimize_ = nullptr;
    std::vector<HWND> shownBeforeMinimize_;
    UINT taskbarCreated_ = 0;
    IconHandle icon_;  // empty for the first application, whose icon the class keeps
    FontDescription errorBoxFont_{nullptr, DEFAULT_CHARSET, 0};
};

}  // namespace quillfen

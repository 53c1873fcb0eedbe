// The band container at the top of the main window: one row with a drag grip at its left.
#pragma once

#include "ui/framework/Window.h"

namespace quillfen {

class ControlBar : public Window {
public:
    ControlBar(HWND parent, RECT bounds);

    // Width of the grip area left of the band.
    static constexpr int kGripWidth = 11;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
};

}  // namespace quillfen

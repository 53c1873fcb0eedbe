// A control whose text changes as the result of a command, brought to a screen reader's
// attention without taking the focus from where the user works.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/win32/Accessibility.h"

namespace quillfen {

// A screen reader speaks the *name* of the object a live-region event names, and the
// control's own name says what it is, not what it now shows. So the control's object has
// one child, a simple element of this id, whose name is the control's text as it stands
// (its lines joined by spaces); the event names that element.
constexpr LONG kLatestTextChild = 1;

// The answer to a WM_GETOBJECT for a live region's client area: the system's object with
// the facts and the latest-text element. 0 (the system answers alone) where it cannot
// be made.
LRESULT AnswerForLiveRegion(HWND region, WPARAM wParam, AccessibleFacts facts) noexcept;

// Raises the live-region event on the control's latest-text element and, where a screen
// reader runs and the system has UI Automation notifications, one carrying `text` that
// supersedes the earlier ones of the same `activity` (uiautomationcore is loaded then).
void AnnounceLiveRegion(HWND region, std::wstring_view text, std::wstring_view activity) noexcept;

}  // namespace quillfen

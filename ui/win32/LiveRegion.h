// A control whose text changes as the result of a command, brought to a screen reader's
// attention without taking the focus from where the user works.
#pragma once

#include <windows.h>

#include <string_view>

namespace quillfen {

// Raises the live-region event on the control's client object and, where a screen reader
// runs and the system has UI Automation notifications, one carrying `text` that supersedes
// the earlier ones of the same `activity` (uiautomationcore is loaded then).
void AnnounceLiveRegion(HWND region, std::wstring_view text, std::wstring_view activity) noexcept;

}  // namespace quillfen

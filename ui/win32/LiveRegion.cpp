#include "ui/win32/LiveRegion.h"

#include <uiautomationcore.h>

#include "ui/win32/Accessibility.h"

namespace quillfen {

namespace {

// Windows 8's event, named here for the Windows 7 headers the program builds against;
// older systems have no client listening for it.
constexpr DWORD kLiveRegionChanged = 0x8019;
// From the notification API of Windows 10 1709, which the headers here lack.
constexpr int kActionCompleted = 2;
constexpr int kImportantMostRecent = 1;

}  // namespace

void AnnounceLiveRegion(HWND region, std::wstring_view text, std::wstring_view activity) noexcept {
    ::NotifyWinEvent(kLiveRegionChanged, region, OBJID_CLIENT, CHILDID_SELF);
    // Loading uiautomationcore brings COM with it (some 60 ms under Wine): only where a
    // screen reader says it runs is anyone there to hear the notification.
    BOOL screenReader = FALSE;
    if (!::SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0) || !screenReader)
        return;
    const UiAutomationApi& uia = UiAutomation();
    if (!uia.raiseNotificationEvent || !uia.hostProviderFromHwnd) return;
    if (uia.clientsAreListening && !uia.clientsAreListening()) return;
    // The window's own provider stands for the control: the notification needs no tree
    // of the program's making.
    ComPtr<IRawElementProviderSimple> provider;
    if (FAILED(uia.hostProviderFromHwnd(region, provider.put())) || !provider) return;
    const BstrHandle shown(MakeBstr(text));
    const BstrHandle id(MakeBstr(activity));
    uia.raiseNotificationEvent(provider.get(), kActionCompleted, kImportantMostRecent, shown.get(),
                               id.get());
}

}  // namespace quillfen

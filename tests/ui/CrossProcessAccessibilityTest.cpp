// A screen reader's questions asked from another process, over the real marshalling path:
// the test binary starts itself again as the reader while this process runs the program.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "CrossProcessReader.h"
#include "GuiTestSupport.h"
#include "tests/common/OpenDialogs.h"
#include "ui/win32/Accessibility.h"
#include "ui/win32/ComApartment.h"
#include "ui/win32/Mnemonic.h"

namespace quillfen::testing {
namespace {

std::wstring EventName(DWORD program, const wchar_t* what) {
    return L"Local\\quillfen-reader-" + std::to_wstring(program) + L"-" + what;
}

// Pumps this thread's messages until `done`: the program answers the reader's calls
// from its queue, and the reader gets its out-of-context events there.
template <typename F>
bool PumpUntil(F done) {
    const ULONGLONG end = ::GetTickCount64() + 10000;
    while (!done()) {
        if (::GetTickCount64() > end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    return true;
}

ComPtr<IAccessible> ObjectOf(HWND hwnd) {
    ComPtr<IAccessible> object;
    ::AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                 reinterpret_cast<void**>(object.put()));
    return object;
}

// A name as read, or the error code that came back instead.
std::string NameOf(IAccessible* object, LONG child) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    const HRESULT hr = object->get_accName(id, &name);
    char code[16];
    std::snprintf(code, sizeof code, "%08lx", static_cast<unsigned long>(hr));
    std::string read = FAILED(hr) ? code : "'" + Narrow(name ? name : L"") + "'";
    ::SysFreeString(name);
    return read;
}

// Each child as AccessibleChildren gives it. Where a child window's object has no name
// (Wine's have none) the name of that window's client object follows, which a screen
// reader reads for a window object.
std::string ChildNames(IAccessible* parent) {
    LONG count = 0;
    parent->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count > 0 ? count : 0));
    LONG got = 0;
    if (count > 0) ::AccessibleChildren(parent, 0, count, children.data(), &got);
    std::string names = std::to_string(got) + ":";
    for (LONG i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<size_t>(i)];
        ComPtr<IAccessible> object;
        HWND window = nullptr;
        if (child.vt == VT_DISPATCH)
            child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                           reinterpret_cast<void**>(object.put()));
        std::string name = object ? NameOf(object.get(), CHILDID_SELF)
                                  : NameOf(parent, child.vt == VT_I4 ? child.lVal : -1);
        if (object && name[0] != '\'' &&
            SUCCEEDED(::WindowFromAccessibleObject(object.get(), &window)) && window)
            name += "/" + NameOf(ObjectOf(window).get(), CHILDID_SELF);
        names += " " + name;
        ::VariantClear(&child);
    }
    return names;
}

std::vector<std::array<LONG_PTR, 3>> g_heard;  // window, object, child
void CALLBACK Heard(HWINEVENTHOOK, DWORD, HWND h, LONG object, LONG child, DWORD, DWORD) {
    g_heard.push_back({reinterpret_cast<LONG_PTR>(h), object, child});
}

BOOL CALLBACK FindMessageDialog(HWND h, LPARAM p) {
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(p);
    DWORD process = 0;
    ::GetWindowThreadProcessId(h, &process);
    if (process == found->first && ::IsWindowVisible(h) &&
        testsupport::ClassNameOf(h) == L"TMessageForm")
        found->second = h;
    return found->second == nullptr;
}

// What the reader read and heard, line by line.
std::string Read(DWORD program, HWND field, HWND bar, HWND memo) {
    const HANDLE ready =
        ::OpenEventW(EVENT_MODIFY_STATE, FALSE, EventName(program, L"ready").c_str());
    const HANDLE heard =
        ::OpenEventW(EVENT_MODIFY_STATE, FALSE, EventName(program, L"heard").c_str());
    std::ostringstream out;
    out << "field: " << NameOf(ObjectOf(field).get(), CHILDID_SELF) << "\n";
    VARIANT self{}, role{};
    self.vt = VT_I4;
    const ComPtr<IAccessible> barObject = ObjectOf(bar);
    barObject->get_accRole(self, &role);
    out << "menu bar: role " << role.lVal << ", first entry " << NameOf(barObject.get(), 1) << "\n";
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(0x8019, 0x8019, nullptr, &Heard, program, 0, WINEVENT_OUTOFCONTEXT);
    ::SetEvent(ready);
    std::pair<DWORD, HWND> dialog{program, nullptr};
    PumpUntil([&] {
        ::EnumWindows(&FindMessageDialog, reinterpret_cast<LPARAM>(&dialog));
        return dialog.second != nullptr;
    });
    if (dialog.second)
        out << "dialog children " << ChildNames(ObjectOf(dialog.second).get()) << "\n";
    ::SetEvent(heard);
    // The live-region events of the two Calculates that follow, each read as it comes.
    for (size_t next = 0; next < 2 && PumpUntil([&] { return g_heard.size() > next; }); ++next) {
        const auto [window, object, child] = g_heard[next];
        ComPtr<IAccessible> source;
        VARIANT id{};
        ::AccessibleObjectFromEvent(reinterpret_cast<HWND>(window), static_cast<DWORD>(object),
                                    static_cast<DWORD>(child), source.put(), &id);
        out << "live region: " << (window == reinterpret_cast<LONG_PTR>(memo) ? "memo" : "?")
            << " child " << child << ", " << (source ? NameOf(source.get(), id.lVal) : "none")
            << "\n";
        ::SetEvent(heard);
    }
    ::UnhookWinEvent(hook);
    ::CloseHandle(ready);
    ::CloseHandle(heard);
    return out.str();
}

HWND HandleArg(const char* text) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(std::strtoll(text, nullptr, 16)));
}

// The program's side: the reader started, and the events it sets.
struct Reader {
    Reader(HWND field, HWND bar, HWND memo) {
        wchar_t self[MAX_PATH] = {}, temp[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        ::GetTempPathW(MAX_PATH, temp);
        report = Narrow(temp) + "quillfen-reader-" + std::to_string(::GetCurrentProcessId());
        char line[3 * MAX_PATH];
        std::snprintf(line, sizeof line, "\"%s\" %s \"%s\" %lu %llx %llx %llx",
                      Narrow(self).c_str(), kReaderSwitch, report.c_str(), ::GetCurrentProcessId(),
                      reinterpret_cast<unsigned long long>(field),
                      reinterpret_cast<unsigned long long>(bar),
                      reinterpret_cast<unsigned long long>(memo));
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (::CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process))
            ::CloseHandle(process.hThread);
    }
    ~Reader() {
        if (process.hProcess) {
            if (!Ended()) ::TerminateProcess(process.hProcess, 1);
            ::CloseHandle(process.hProcess);
        }
        ::CloseHandle(ready);
        ::CloseHandle(heard);
        ::DeleteFileA(report.c_str());
    }
    bool Ended() const { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }
    // Answers the reader's calls until it sets the event (or has ended).
    bool Await(HANDLE event) const {
        return PumpUntil(
            [&] { return ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0 || Ended(); });
    }

    HANDLE ready =
        ::CreateEventW(nullptr, FALSE, FALSE, EventName(::GetCurrentProcessId(), L"ready").c_str());
    HANDLE heard =
        ::CreateEventW(nullptr, FALSE, FALSE, EventName(::GetCurrentProcessId(), L"heard").c_str());
    std::string report;
    PROCESS_INFORMATION process{};
};

// A field's name, the menu bar's role and first entry, the wrong-order dialog's children
// by name, and what the live-region events of that Calculate and of a result name.
TEST(AccessibilityAcrossProcesses, AnotherProcessReadsTheWindowsAndHearsTheResults) {
    MainWindowFixture f;
    f.form->playClip = [] { return true; };
    const HWND memo = f.Control("Memo1");
    Reader reader(f.Control("LabeledEdit1"), f.form->ActionMainMenuBar1().hwnd(), memo);
    ASSERT_NE(reader.process.hProcess, nullptr);
    ASSERT_TRUE(reader.Await(reader.ready));
    f.SetTimeFields({L"23", L"30", L"00", L"0", L"15", L"00"});
    ActivationWatch watch([&](HWND h) {
        if (testsupport::ClassNameOf(h) != L"TMessageForm") return;
        RunSoon([&, h] {
            reader.Await(reader.heard);
            ::PostMessageW(h, WM_CLOSE, 0, 0);
        });
    });
    PressAlt(*f.app, L'c');
    const std::string wrongOrder = GetWindowTextUtf8(memo);
    reader.Await(reader.heard);
    f.SetTimeFields({L"9", L"05", L"00", L"11", L"20", L"30"});
    PressAlt(*f.app, L'c');
    std::string result = GetWindowTextUtf8(memo);
    for (size_t at; (at = result.find("\r\n")) != std::string::npos;) result.replace(at, 2, " ");
    PumpUntil([&] { return reader.Ended(); });
    std::ifstream in(reader.report, std::ios::binary);
    const std::string report(std::istreambuf_iterator<char>(in), {});
    std::printf("%s", report.c_str());

    const std::string entry =
        Narrow(WithoutMnemonic<WideString>(f.form->ActionMainMenuBar1().Menu()[0].caption));
    const size_t children = report.find("dialog children 3: ");
    EXPECT_NE(report.find("field: '出発 時'\nmenu bar: role 2, first entry '" + entry + "'\n"),
              std::string::npos);
    EXPECT_NE(children, std::string::npos);
    EXPECT_NE(report.find("'OK'\n", children), std::string::npos) << "the button by name";
    EXPECT_NE(report.find("live region: memo child 1, '" + wrongOrder + "'\n"), std::string::npos);
    EXPECT_NE(report.find("live region: memo child 1, '" + result + "'\n"), std::string::npos);
}

}  // namespace

// The reader's arguments: the report file, the program's process id, and a field, the menu
// bar and the memo, the handles in hexadecimal.
int RunAccessibilityReader(int argc, char** argv) {
    if (argc < 7) return 2;
    const ComApartment apartment;
    const std::string report = Read(static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)),
                                    HandleArg(argv[4]), HandleArg(argv[5]), HandleArg(argv[6]));
    std::ofstream(argv[2], std::ios::binary) << report;
    return 0;
}

}  // namespace quillfen::testing

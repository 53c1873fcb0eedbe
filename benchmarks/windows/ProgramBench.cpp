// Measures the real program from outside, as a user experiences it:
//   program_bench startup QUILLFEN_EXE MINIMAL_EXE [RUNS]
//     time from process start until its first visible window exists and the process
//     is idle, alternating the two programs; prints medians and their ratio.
//   program_bench latency QUILLFEN_EXE [RUNS]
//     time from the Enter key on the Calculate button until the memo shows the result.
//   program_bench launch EXE [RUNS]
//     starts a program RUNS times, each until it is idle with a visible window, and
//     closes it again (the Wine server's requests of each start are counted from its
//     trace).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/common/ProgramProcess.h"

namespace {

using namespace quillfen::testsupport;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Running {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

// Starts `exe` and returns once its first window is visible and it waits for input.
Running Start(const std::wstring& exe, double* milliseconds) {
    Running r;
    const double begin = Now();
    if (!StartProgram(exe, -1, r.process)) {
        std::fprintf(stderr, "cannot start %ls\n", exe.c_str());
        std::exit(2);
    }
    for (;;) {
        ::WaitForInputIdle(r.process.hProcess, 10000);
        r.window = TopLevelWindowOf(r.process.dwProcessId, nullptr, true);
        if (r.window) break;
        ::Sleep(1);
    }
    *milliseconds = Now() - begin;
    return r;
}

void Stop(Running& r) {
    CloseProgram(r.process.hProcess, r.window, 10000);
    ::CloseHandle(r.process.hThread);
    ::CloseHandle(r.process.hProcess);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int Startup(const std::wstring& program, const std::wstring& minimal, int runs) {
    std::vector<double> ours, theirs;
    for (int i = 0; i < runs; ++i) {
        double ms = 0;
        Running a = Start(program, &ms);
        ours.push_back(ms);
        Stop(a);
        Running b = Start(minimal, &ms);
        theirs.push_back(ms);
        Stop(b);
    }
    const double m1 = Median(ours), m2 = Median(theirs);
    std::printf("startup runs=%d quillfen_median_ms=%.1f minimal_median_ms=%.1f ratio=%.3f\n", runs,
                m1, m2, m1 / m2);
    return 0;
}

void Key(WORD vk) { SendKeys({KeyInput(vk, false), KeyInput(vk, true)}); }

// Types a trip, then times Enter on the Calculate button until the memo changes.
int Latency(const std::wstring& program, int runs) {
    double ms = 0;
    Running r = Start(program, &ms);
    ::SetForegroundWindow(r.window);
    ::Sleep(300);
    const HWND memo = MemoOf(r.window);
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        ::SetWindowTextW(memo, L"");
        // Departure 9:05:00, arrival 11:20:30: digits and Enter walk to the button.
        for (const char* k = "9\r05\r00\r11\r20\r30\r\r"; *k; ++k) {
            Key(*k == '\r' ? VK_RETURN : static_cast<WORD>(*k));
        }
        ::Sleep(200);
        const double begin = Now();
        Key(VK_RETURN);
        while (::SendMessageW(memo, WM_GETTEXTLENGTH, 0, 0) == 0 && Now() - begin < 5000) {
            ::Sleep(0);
        }
        samples.push_back(Now() - begin);
    }
    std::printf("calculate_latency runs=%d median_ms=%.2f min_ms=%.2f max_ms=%.2f\n", runs,
                Median(samples), *std::min_element(samples.begin(), samples.end()),
                *std::max_element(samples.begin(), samples.end()));
    Stop(r);
    return 0;
}

int Launch(const std::wstring& program, int runs) {
    for (int i = 0; i < runs; ++i) {
        double ms = 0;
        Running r = Start(program, &ms);
        Stop(r);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 4 && std::wstring(argv[1]) == L"startup") {
        return Startup(argv[2], argv[3], argc > 4 ? _wtoi(argv[4]) : 11);
    }
    if (argc >= 3 && std::wstring(argv[1]) == L"latency") {
        return Latency(argv[2], argc > 3 ? _wtoi(argv[3]) : 50);
    }
    if (argc >= 3 && std::wstring(argv[1]) == L"launch") {
        return Launch(argv[2], argc > 3 ? _wtoi(argv[3]) : 6);
    }
    std::fprintf(stderr,
                 "usage: program_bench startup QUILLFEN MINIMAL [RUNS] | latency QUILLFEN [RUNS] | "
                 "launch PROGRAM [RUNS]\n");
    return 2;
}

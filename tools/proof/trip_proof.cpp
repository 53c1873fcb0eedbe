// Exhaustive check of the travel-time arithmetic: for every departure/arrival pair of
// whole-second clock times, the travel time CalculateTrip would print is exactly the
// difference in seconds (ordinary trips: s(A) - s(D) for D < A; night trips:
// 86400 - s(D) + s(A) for D > A).
//
// It runs the library's own TryMakeClockTime, the same travel-time functions CalculateTrip
// calls and the rounding that SplitClockTime, and so the printing, rests on. The digest it
// prints sums the bits of every travel time, so runs of two builds with the same --every show
// whether they compute identical values.
//
//   trip_proof [--every K] [--threads N]
//     --every K    check only every K-th departure second (all arrivals each); default 1
//     --threads N  worker threads; default: the number of cores
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <thread>
#endif

#include "logic/ClockTime.h"
#include "logic/TripArithmetic.h"

namespace {

using quillfen::TClockTime;

constexpr int kSecondsPerDay = 86400;

struct Totals {
    std::uint64_t dayPairs = 0, nightPairs = 0, dayMismatches = 0, nightMismatches = 0;
    std::uint64_t digest = 0;  // order-independent sum over the bits of every travel time
};

// Folds one travel time into the digest, so two builds can be compared bit for bit.
inline void AddToDigest(std::uint64_t& digest, int depart, int arrive, TClockTime travel) {
    std::uint64_t x;
    std::memcpy(&x, &travel, sizeof x);
    x ^= static_cast<std::uint64_t>(depart) << 32 ^ static_cast<std::uint64_t>(arrive);
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    digest += x ^ (x >> 31);
}

std::atomic<int> reportedMismatches{0};

// Each report is a single printf call, which the C runtime keeps whole between threads.
void ReportMismatch(const char* mode, int depart, int arrive, int expected, TClockTime travel) {
    if (++reportedMismatches > 20) return;
    std::uint16_t h, m, s, ms;
    quillfen::SplitClockTime(travel, h, m, s, ms);
    std::printf("MISMATCH %s trip %d -> %d: expected %d s, got %u:%02u:%02u.%03u\n", mode, depart,
                arrive, expected, h, m, s, ms);
}

// True when the travel time splits into exactly `expected` whole seconds: its millisecond of
// the day, which SplitClockTime splits, is that many thousands.
inline bool PrintsExactly(TClockTime travel, int expected) {
    return quillfen::DayMilliseconds(travel) == static_cast<std::uint32_t>(expected) * 1000u;
}

void CheckDeparture(int d, const std::vector<TClockTime>& times,
                    const quillfen::NightClockTimes& fixed, Totals& totals) {
    const TClockTime depart = times[d];
    std::uint64_t digest = 0;  // kept in a register, not in totals, while the loops run
    for (int a = d + 1; a < kSecondsPerDay; ++a) {
        const TClockTime travel = quillfen::DayTravelTime(depart, times[a]);
        AddToDigest(digest, d, a, travel);
        if (!PrintsExactly(travel, a - d)) {
            ++totals.dayMismatches;
            ReportMismatch("ordinary", d, a, a - d, travel);
        }
    }
    for (int a = 0; a < d; ++a) {
        const TClockTime travel = quillfen::NightTravelTime(depart, times[a], fixed);
        const int expected = kSecondsPerDay - d + a;
        AddToDigest(digest, d, a, travel);
        if (!PrintsExactly(travel, expected)) {
            ++totals.nightMismatches;
            ReportMismatch("night", d, a, expected, travel);
        }
    }
    totals.digest += digest;
    totals.dayPairs += static_cast<std::uint64_t>(kSecondsPerDay - 1 - d);
    totals.nightPairs += static_cast<std::uint64_t>(d);
}

// The building blocks every pair relies on: each whole second builds, the values are
// strictly ordered as the seconds are (so comparing doubles decides the trip mode exactly),
// each splits back to its own second, and the fixed night times equal what reading their
// texts with a ':' separator gives.
bool CheckBuildingBlocks(std::vector<TClockTime>& times, quillfen::NightClockTimes& fixed) {
    bool ok = true;
    for (int s = 0; s < kSecondsPerDay; ++s) {
        if (!quillfen::TryMakeClockTime(s / 3600, s / 60 % 60, s % 60, 0, times[s]) ||
            (s > 0 && !(times[s - 1] < times[s])) || !PrintsExactly(times[s], s)) {
            std::printf("MISMATCH building second %d\n", s);
            ok = false;
        }
    }
    quillfen::ClockSettings.ClockSeparator = ':';
    fixed = quillfen::FixedNightTimes();
    const TClockTime read[3] = {quillfen::TextToClockTime("23:59:59"),
                                quillfen::TextToClockTime("0:00:00"),
                                quillfen::TextToClockTime("0:00:01")};
    const TClockTime built[3] = {fixed.LastSecond, fixed.Midnight, fixed.OneSecond};
    if (std::memcmp(read, built, sizeof read) != 0) {
        std::printf("MISMATCH fixed night times differ from the texts read\n");
        ok = false;
    }
    return ok;
}

int ParsePositive(const char* text) {
    const int value = std::atoi(text);
    if (value < 1) {
        std::fprintf(stderr, "trip_proof: expected a positive number, got '%s'\n", text);
        std::exit(2);
    }
    return value;
}

// The Windows build's runtime (win32 thread model) has no std::thread, so there the
// workers are plain Win32 threads.
#ifdef _WIN32
int CoreCount() {
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
}

struct Job {
    const std::function<void(int)>* work;
    int index;
};

DWORD WINAPI RunJob(void* param) {
    const Job& job = *static_cast<const Job*>(param);
    (*job.work)(job.index);
    return 0;
}

void RunWorkers(int count, const std::function<void(int)>& work) {
    std::vector<Job> jobs;
    for (int t = 0; t < count; ++t) jobs.push_back({&work, t});
    std::vector<HANDLE> threads;
    for (Job& job : jobs) {
        const HANDLE thread = ::CreateThread(nullptr, 0, RunJob, &job, 0, nullptr);
        if (!thread) {
            std::fprintf(stderr, "trip_proof: cannot start a worker thread\n");
            std::exit(2);
        }
        threads.push_back(thread);
    }
    for (const HANDLE thread : threads) {
        ::WaitForSingleObject(thread, INFINITE);
        ::CloseHandle(thread);
    }
}
#else
int CoreCount() { return static_cast<int>(std::thread::hardware_concurrency()); }

void RunWorkers(int count, const std::function<void(int)>& work) {
    std::vector<std::thread> workers;
    for (int t = 0; t < count; ++t) workers.emplace_back(work, t);
    for (std::thread& worker : workers) worker.join();
}
#endif

}  // namespace

int main(int argc, char** argv) {
    int every = 1;
    int threadCount = CoreCount();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--every" && i + 1 < argc) {
            every = ParsePositive(argv[++i]);
        } else if (arg == "--threads" && i + 1 < argc) {
            threadCount = ParsePositive(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: trip_proof [--every K] [--threads N]\n");
            return 2;
        }
    }
    if (threadCount < 1) threadCount = 1;

    const auto start = std::chrono::steady_clock::now();
    std::vector<TClockTime> times(kSecondsPerDay);
    quillfen::NightClockTimes fixed{};
    const bool blocksOk = CheckBuildingBlocks(times, fixed);

    std::atomic<int> nextDeparture{0};
    std::vector<Totals> totals(static_cast<std::size_t>(threadCount));
    RunWorkers(threadCount, [&](int t) {
        for (int d; (d = nextDeparture.fetch_add(every)) < kSecondsPerDay;) {
            CheckDeparture(d, times, fixed, totals[static_cast<std::size_t>(t)]);
        }
    });

    Totals sum;
    for (const Totals& part : totals) {
        sum.dayPairs += part.dayPairs;
        sum.nightPairs += part.nightPairs;
        sum.dayMismatches += part.dayMismatches;
        sum.nightMismatches += part.nightMismatches;
        sum.digest += part.digest;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("departures: every %d%s, threads: %d\n", every, every == 1 ? " (all)" : "",
                threadCount);
    std::printf("ordinary trips checked: %llu, mismatches: %llu\n",
                static_cast<unsigned long long>(sum.dayPairs),
                static_cast<unsigned long long>(sum.dayMismatches));
    std::printf("night trips checked: %llu, mismatches: %llu\n",
                static_cast<unsigned long long>(sum.nightPairs),
                static_cast<unsigned long long>(sum.nightMismatches));
    std::printf("building blocks: %s\n", blocksOk ? "ok" : "MISMATCH");
    std::printf("travel-time digest: %016llx\n", static_cast<unsigned long long>(sum.digest));
    std::printf("time: %.1f s\n", seconds);
    return blocksOk && sum.dayMismatches == 0 && sum.nightMismatches == 0 ? 0 : 1;
}

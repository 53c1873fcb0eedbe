// Runs CalculateTrip a given number of times with fixed Japanese settings, for counting
// instructions under valgrind: the difference between a run of N and one of 2N calls,
// divided by N, is the exact cost of one call without the program's set-up.
//
//   logic_counts day|night N
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "logic/ClockTime.h"
#include "logic/Trip.h"

int main(int argc, char** argv) {
    using namespace quillfen;
    const bool night = argc == 3 && std::strcmp(argv[1], "night") == 0;
    if (argc != 3 || (!night && std::strcmp(argv[1], "day") != 0)) {
        std::fprintf(stderr, "usage: logic_counts day|night N\n");
        return 2;
    }
    const long calls = std::atol(argv[2]);
    ClockSettings = {"h:mm:ss", ':', '.', "午前", "午後"};
    const std::array<std::string, 6> fields =
        night ? std::array<std::string, 6>{"23", "30", "00", "0", "15", "00"}
              : std::array<std::string, 6>{"9", "05", "00", "11", "20", "30"};
    std::size_t bytes = 0;
    for (long i = 0; i < calls; ++i)
        bytes += CalculateTrip(fields, night ? 1 : 0).Outcome.MemoText.size();
    std::printf("%s: %ld calls, %zu memo bytes\n", argv[1], calls, bytes);
    return 0;
}

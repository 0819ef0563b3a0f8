// How long after the set second the scheduled request is made: the recording copy of the program
// is switched on a few seconds ahead, again and again, and the time of its first logged request
// is compared with the set second. Prints each run, then the median and the maximum.
// Arguments: the program under test (Sutremo.exe, with SutremoRecording.exe beside it), runs.
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "ScheduleDriver.h"

int wmain(int argc, wchar_t** argv) {
    using namespace sut::e2e;
    if (argc < 2) return 2;
    SetProgramPath(argv[1]);
    const int runs = argc > 2 ? std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : 20;
    std::vector<double> delaysMs;
    for (int run = 1; run <= runs; ++run) {
        Scheduled s("[关机操作]\r\n关机方式=1\r\n");
        if (!s.main || !WaitUntil([&] { return Program::Visible(s.main); })) {
            std::printf("run %d: the program did not start\n", run);
            continue;
        }
        s.SwitchOnAhead(2, false);
        if (!s.WaitRequests(1, 10000)) {
            std::printf("run %d: no request\n", run);
            continue;
        }
        const double ms = s.After(Requests(s.p)[0]) * 1000;
        std::printf("run %d: %.1f ms\n", run, ms);
        std::fflush(stdout);
        delaysMs.push_back(ms);
    }
    if (delaysMs.empty()) return 1;
    std::sort(delaysMs.begin(), delaysMs.end());
    const std::size_t n = delaysMs.size();
    const double median = n % 2 ? delaysMs[n / 2] : (delaysMs[n / 2 - 1] + delaysMs[n / 2]) / 2;
    std::printf("firing delay over %zu runs: median %.1f ms, max %.1f ms, min %.1f ms\n", n, median,
                delaysMs.back(), delaysMs.front());
    return n == static_cast<std::size_t>(runs) ? 0 : 1;
}

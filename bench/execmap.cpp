// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as users see it: milliseconds from exec to the program's first window mapped on
// the root, with no shell in between, and its resident memory once start-up has settled.
// Runs the timer as installed and run (its shortcuts on) and a bare frameless label window in
// turns, on the X display of $DISPLAY, and prints each run and the medians.
// Usage: bench_execmap RUNS TIMER BARE
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run
{
    double milliseconds = 0;
    long kilobytes = 0;
};

long residentKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

// Starts the program and waits for the first MapNotify on the root.
Run run(xcb_connection_t *connection, const char *program)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    Run result;
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) {
            result.milliseconds = std::chrono::duration<double, std::milli>(
                                      std::chrono::steady_clock::now() - start)
                                      .count();
            break;
        }
    }
    // Memory once start-up has settled, not a wait for an event.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    result.kilobytes = residentKilobytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    // The unmap and destroy notifications of this run are not the next run's map.
    xcb_flush(connection);
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection))
        std::free(event);
    return result;
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[(values.size() - 1) / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_execmap RUNS TIMER BARE\n");
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "bench_execmap: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    std::vector<double> timerMs, bareMs;
    std::vector<long> timerKb, bareKb;
    for (int i = 0; i < std::max(1, std::atoi(argv[1])); ++i) {
        for (const bool timer : {true, false}) {
            const Run one = run(connection, timer ? argv[2] : argv[3]);
            std::printf("%s %.1f ms %ld kB\n", timer ? "moriv" : "bare ", one.milliseconds,
                        one.kilobytes);
            (timer ? timerMs : bareMs).push_back(one.milliseconds);
            (timer ? timerKb : bareKb).push_back(one.kilobytes);
        }
    }
    const double t = median(timerMs), b = median(bareMs);
    const long tk = median(timerKb), bk = median(bareKb);
    std::printf("median start-up: moriv %.1f ms, bare window %.1f ms (%.2fx)\n", t, b, t / b);
    std::printf("median memory:   moriv %.1f MB, bare window %.1f MB (%.2fx)\n", tk / 1024.0,
                bk / 1024.0, double(tk) / double(bk));
    xcb_disconnect(connection);
    return 0;
}

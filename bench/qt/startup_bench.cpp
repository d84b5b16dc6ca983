// Time from starting a process to its window being mapped on the X display in
// DISPLAY (run without a window manager, e.g. under xvfb-run): formula-test
// against a minimal Qt window with a label and a field, started alternately so
// both meet the same load.
#include <chrono>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

struct TFree {
    void operator()(void* p) const { std::free(p); }
};

class TRootWatch {
public:
    TRootWatch()
        : FConnection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(FConnection))
            throw std::runtime_error("no X display");
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(FConnection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(FConnection);
    }
    ~TRootWatch() { xcb_disconnect(FConnection); }
    TRootWatch(const TRootWatch&) = delete;
    TRootWatch& operator=(const TRootWatch&) = delete;

    // Seconds from spawning program to the first top-level window mapped.
    double SecondsToWindow(const char* program)
    {
        while (std::unique_ptr<xcb_generic_event_t, TFree>(xcb_poll_for_event(FConnection))) {
        }
        char* argv[] = {const_cast<char*>(program), nullptr};
        const TClock::time_point start = TClock::now();
        pid_t pid;
        if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0)
            throw std::runtime_error("cannot start the program");
        for (;;) {
            const std::unique_ptr<xcb_generic_event_t, TFree> event(xcb_wait_for_event(FConnection));
            if (!event)
                throw std::runtime_error("X connection lost");
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY)
                break;
        }
        const TClock::time_point shown = TClock::now();
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return std::chrono::duration<double>(shown - start).count();
    }

private:
    xcb_connection_t* FConnection;
};

void StartUpToWindowShown(benchmark::State& state)
{
    TRootWatch watch;
    double formula = 0;
    double bare = 0;
    for (auto _ : state) {
        const double seconds = watch.SecondsToWindow(FORMULA_TEST);
        state.SetIterationTime(seconds);
        formula += seconds;
        bare += watch.SecondsToWindow(BARE_WINDOW);
    }
    state.counters["bare_ms"] = benchmark::Counter(bare * 1e3 / double(state.iterations()));
    state.counters["ratio"] = benchmark::Counter(formula / bare);
}

} // namespace

BENCHMARK(StartUpToWindowShown)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

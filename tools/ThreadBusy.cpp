// Tells how long one input keeps a program's main thread busy: takes the thread's time on a
// processor so far, runs a command that gives the input (an xdotool click), and then watches the
// thread until its event loop first waits for a stretch of `quiet` milliseconds: the thread asleep
// in poll() all along (where the event loop waits for the next event or timer), no time on a
// processor added. Asleep anywhere else (for another thread, for the display's reply) it is still
// busy. It prints the thread's time on a processor from just before the command until that
// stretch began, and the time on the clock over the same span, in milliseconds. An animation that
// draws a frame every 16 ms waits in between, so its frames count only while the input's own work
// keeps the event loop from waiting that long.
//
//     ThreadBusy pid quiet-ms timeout-ms command [argument...]
//
// The thread is the process's own (its id is the process id). Exit status 0 when the thread
// slept in time, 1 when it did not (the figures are then up to the timeout), 2 on bad arguments,
// a process that is not there, or a command that fails.

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct ThreadState {
    bool waiting = false;
    long long processorNs = 0;
};

// poll() and ppoll() on x86-64 and on the 64-bit Arm.
bool isPoll(long call) {
#if defined(__x86_64__)
    return call == 7 || call == 271;
#else
    return call == 73;
#endif
}

bool read(const std::string& task, ThreadState& state) {
    std::ifstream stat(task + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return false;
    }
    // The state follows the name, which stands in parentheses and may hold anything.
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 2 >= line.size()) {
        return false;
    }
    const bool asleep = line[nameEnd + 2] == 'S';
    // The call the thread is in: its number, or "running".
    std::ifstream syscall(task + "/syscall");
    long call = -1;
    syscall >> call;
    state.waiting = asleep && isPoll(call);
    std::ifstream schedstat(task + "/schedstat");
    return static_cast<bool>(schedstat >> state.processorNs);
}

double milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: ThreadBusy pid quiet-ms timeout-ms command [argument...]\n");
        return 2;
    }
    const std::string pid = argv[1];
    const std::string task = "/proc/" + pid + "/task/" + pid;
    const auto quiet = std::chrono::milliseconds(std::atoi(argv[2]));
    const auto timeout = std::chrono::milliseconds(std::atoi(argv[3]));

    ThreadState before;
    if (!read(task, before)) {
        std::fprintf(stderr, "no thread %s\n", pid.c_str());
        return 2;
    }
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the command failed\n");
        return 2;
    }

    // The last moment the thread was seen at work, and its time on a processor then.
    Clock::time_point lastBusy = Clock::now();
    ThreadState now = before;
    long long busyNs = before.processorNs;
    long long seenNs = before.processorNs;
    while (true) {
        const Clock::time_point at = Clock::now();
        if (!read(task, now)) {
            std::fprintf(stderr, "thread %s has gone\n", pid.c_str());
            return 2;
        }
        if (!now.waiting || now.processorNs != seenNs) {
            lastBusy = at;
            busyNs = now.processorNs;
            seenNs = now.processorNs;
        } else if (at - lastBusy >= quiet) {
            break;
        }
        if (at - start >= timeout) {
            std::printf("%.1f %.1f\n", static_cast<double>(now.processorNs - before.processorNs) / 1e6,
                        milliseconds(at - start));
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    std::printf("%.1f %.1f\n", static_cast<double>(busyNs - before.processorNs) / 1e6, milliseconds(lastBusy - start));
    return 0;
}

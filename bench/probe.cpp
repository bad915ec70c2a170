// Starts Kodvik and the bare window in turn on an X display of their own (bench/run brings up
// Xvfb) and measures them from outside, the way a user's desktop sees them:
//   - start-up: from fork to the top-level window's MapNotify, and to its first paint, which is
//     the first Damage report after which the window's pixels are no longer one flat colour;
//   - resident memory one second after that paint;
//   - CPU time and voluntary context switches (wake-ups) of all threads over 5 idle seconds
//     right after that, and over the 5 seconds from 11 s after start;
//   - the press-and-hold cadence: a real button press on ">" through XTest, held, and the times
//     at which the code field is repainted with each step.
// Each start is given the input focus as a window manager would, so a text cursor blinks.
//
//   probe KODVIK BARE [RUNS [HOLDS]]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

// Where Kodvik draws the code field and the ">" button, in window pixels.
constexpr XRectangle codeField{88, 24, 41, 25};
constexpr int moreButtonX = 140;
constexpr int moreButtonY = 96;

constexpr auto settleTime = std::chrono::seconds(1);
constexpr auto idleSpan = std::chrono::seconds(5);
constexpr auto lateIdleFrom = std::chrono::seconds(11);
// Released a quarter interval after the tenth step is due, so the release never races it.
constexpr auto holdTime = std::chrono::milliseconds(5250);
constexpr auto startTimeout = std::chrono::seconds(30);
constexpr double tickInterval = 500.0;

double since(Clock::time_point from, Clock::time_point to = Clock::now())
{
    return Milliseconds(to - from).count();
}

struct Usage {
    double cpuMs = 0;
    long wakeups = 0;
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

long statusField(const std::string& status, const std::string& name)
{
    const auto at = status.find(name + ":");
    return at == std::string::npos
               ? 0
               : std::strtol(status.c_str() + at + name.size() + 1, nullptr, 10);
}

// Summed over every thread, each by its id, so threads that come and go are followed.
std::map<std::string, Usage> threadUsage(pid_t pid)
{
    std::map<std::string, Usage> usage;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) {
        return usage;
    }
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        const std::string task = tasks + "/" + entry->d_name;
        Usage& thread = usage[entry->d_name];
        // The first field of schedstat is the time spent on a CPU, in nanoseconds.
        thread.cpuMs = std::strtod(readFile(task + "/schedstat").c_str(), nullptr) / 1e6;
        thread.wakeups = statusField(readFile(task + "/status"), "voluntary_ctxt_switches");
    }
    closedir(dir);
    return usage;
}

Usage usageBetween(const std::map<std::string, Usage>& before,
                   const std::map<std::string, Usage>& after)
{
    Usage total;
    for (const auto& [thread, end] : after) {
        const auto start = before.find(thread);
        total.cpuMs += end.cpuMs - (start == before.end() ? 0 : start->second.cpuMs);
        total.wakeups += end.wakeups - (start == before.end() ? 0 : start->second.wakeups);
    }
    return total;
}

struct Run {
    double mappedMs = 0;
    double paintedMs = 0;
    double rssMb = 0;
    Usage earlyIdle;
    Usage lateIdle;
    long lateRepaints = 0;
};

int ignoreErrors(Display* /*display*/, XErrorEvent* /*error*/)
{
    return 0; // windows of an ended program vanish under their Damage objects
}

class Probe {
public:
    Probe()
    {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            throw std::runtime_error("no X display");
        }
        int error = 0;
        int major = 0;
        int minor = 0;
        if (XDamageQueryExtension(display, &damageEvent, &error) == 0 ||
            XTestQueryExtension(display, &error, &error, &major, &minor) == 0) {
            throw std::runtime_error("the X server lacks DAMAGE or XTEST");
        }
        XSetErrorHandler(ignoreErrors);
        root = DefaultRootWindow(display);
        XSelectInput(display, root, SubstructureNotifyMask);
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    ~Probe() { XCloseDisplay(display); }

    // Starts the program and returns once its window has been painted.
    std::optional<Run> start(const std::string& program)
    {
        window = None;
        painted = false;
        started = Clock::now();
        pid = fork();
        if (pid == 0) {
            execl(program.c_str(), program.c_str(), nullptr);
            _exit(127);
        }
        Run run;
        while (!painted) {
            if (Clock::now() - started > startTimeout || !alive()) {
                stop();
                return std::nullopt;
            }
            pump(std::chrono::milliseconds(100));
            if (window != None && run.mappedMs == 0) {
                run.mappedMs = since(started, mappedAt);
            }
        }
        run.paintedMs = since(started, paintedAt);
        return run;
    }

    // The rest of a start-up run: memory, then the two idle spans.
    void measure(Run& run)
    {
        waitUntil(paintedAt + settleTime);
        run.rssMb = static_cast<double>(statusField(
                        readFile("/proc/" + std::to_string(pid) + "/status"), "VmRSS")) /
                    1024.0;
        auto before = threadUsage(pid);
        waitUntil(paintedAt + settleTime + idleSpan);
        run.earlyIdle = usageBetween(before, threadUsage(pid));

        waitUntil(started + lateIdleFrom);
        before = threadUsage(pid);
        repaints = 0;
        waitUntil(started + lateIdleFrom + idleSpan);
        run.lateIdle = usageBetween(before, threadUsage(pid));
        run.lateRepaints = repaints;
    }

    // Holds ">" down for a while and gives the times, from the press, at which the code
    // field was repainted.
    std::vector<double> hold()
    {
        Window child = None;
        int x = 0;
        int y = 0;
        XTranslateCoordinates(display, window, root, moreButtonX, moreButtonY, &x, &y, &child);
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XSync(display, False);
        waitUntil(Clock::now() + std::chrono::milliseconds(300));
        fieldRepaints.clear();
        watchField = true;
        pressedAt = Clock::now();
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XFlush(display);
        waitUntil(pressedAt + holdTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        watchField = false;
        std::vector<double> times;
        for (const double at : fieldRepaints) {
            // One step repaints the field in one or a few rectangles close together.
            if (times.empty() || at - times.back() > 100.0) {
                times.push_back(at);
            }
        }
        waitUntil(Clock::now() + std::chrono::seconds(1));
        return times;
    }

    void stop()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            int status = 0;
            waitpid(pid, &status, 0);
            pid = -1;
        }
        pump(std::chrono::milliseconds(200));
    }

private:
    [[nodiscard]] bool alive() const { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }

    void waitUntil(Clock::time_point until)
    {
        while (Clock::now() < until) {
            pump(std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()) +
                 std::chrono::milliseconds(1));
        }
    }

    void pump(std::chrono::milliseconds timeout)
    {
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        if (XPending(display) == 0) {
            poll(&connection, 1, static_cast<int>(timeout.count()));
        }
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handle(event);
        }
    }

    void handle(const XEvent& event)
    {
        const auto now = Clock::now();
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportRawRectangles);
        } else if (event.type == MapNotify && event.xmap.event == root && window == None &&
                   event.xmap.override_redirect == False) {
            window = event.xmap.window;
            mappedAt = now;
            // What a window manager does for a new window.
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (damage.drawable != window || window == None) {
                return;
            }
            ++repaints;
            if (!painted && hasContent()) {
                painted = true;
                paintedAt = now;
            }
            const XRectangle& area = damage.area;
            if (watchField && area.x < codeField.x + codeField.width &&
                codeField.x < area.x + area.width && area.y < codeField.y + codeField.height &&
                codeField.y < area.y + area.height) {
                fieldRepaints.push_back(since(pressedAt, now));
            }
        }
    }

    // Before Qt's first paint the window is one flat colour, or nothing at all.
    bool hasContent()
    {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, window, &attributes) == 0 ||
            attributes.map_state != IsViewable) {
            return false;
        }
        XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height,
                                  AllPlanes, ZPixmap);
        if (image == nullptr) {
            return false;
        }
        const unsigned long first = XGetPixel(image, 0, 0);
        bool varied = false;
        for (int y = 0; y < image->height && !varied; ++y) {
            for (int x = 0; x < image->width && !varied; ++x) {
                varied = XGetPixel(image, x, y) != first;
            }
        }
        XDestroyImage(image);
        return varied;
    }

    Display* display = nullptr;
    Window root = None;
    int damageEvent = 0;
    pid_t pid = -1;
    Window window = None;
    bool painted = false;
    Clock::time_point started;
    Clock::time_point mappedAt;
    Clock::time_point paintedAt;
    long repaints = 0;
    bool watchField = false;
    Clock::time_point pressedAt;
    std::vector<double> fieldRepaints;
};

double median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Summary {
    double median;
    double min;
    double max;
};

template <typename Field> Summary summary(const std::vector<Run>& runs, Field field)
{
    std::vector<double> values(runs.size());
    std::transform(runs.begin(), runs.end(), values.begin(), field);
    return {median(values), *std::min_element(values.begin(), values.end()),
            *std::max_element(values.begin(), values.end())};
}

void printRow(const char* what, const char* unit, const Summary& kodvik, const Summary& bare,
              bool ratio)
{
    std::printf("%-30s %9.1f (%7.1f-%7.1f) %9.1f (%7.1f-%7.1f) %-3s", what, kodvik.median,
                kodvik.min, kodvik.max, bare.median, bare.min, bare.max, unit);
    if (ratio && bare.median > 0) {
        std::printf("  ratio %.3f  diff %+.2f", kodvik.median / bare.median,
                    kodvik.median - bare.median);
    }
    std::printf("\n");
}

} // namespace

namespace {

int measure(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: probe KODVIK BARE [RUNS [HOLDS]]\n");
        return 2;
    }
    const std::array<std::string, 2> programs{argv[1], argv[2]};
    const int runs = argc > 3 ? std::atoi(argv[3]) : 10;
    const int holds = argc > 4 ? std::atoi(argv[4]) : 3;

    Probe probe;
    std::array<std::vector<Run>, 2> results;
    // One start of each first, so both find the libraries and fonts in the page cache.
    for (int round = -1; round < runs; ++round) {
        // Interleaved, and in turn first, so neither gains from the other's warm caches.
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (round + turn + 2) % 2;
            auto run = probe.start(programs.at(which));
            if (!run) {
                std::fprintf(stderr, "%s showed no window\n", programs.at(which).c_str());
                return 1;
            }
            if (round >= 0) {
                probe.measure(*run);
                results.at(which).push_back(*run);
                std::fprintf(stderr, "run %d %s: painted %.1f ms\n", round + 1,
                             which == 0 ? "kodvik" : "bare", run->paintedMs);
            }
            probe.stop();
        }
    }

    std::vector<double> ticks;
    std::vector<double> intervals;
    double latest = -1e9;
    if (!probe.start(programs[0])) {
        return 1;
    }
    for (int hold = 0; hold < holds; ++hold) {
        const auto times = probe.hold();
        for (std::size_t step = 0; step < times.size(); ++step) {
            ticks.push_back(times[step]);
            latest = std::max(latest, times[step] - tickInterval * static_cast<double>(step + 1));
            if (step > 0) {
                intervals.push_back(times[step] - times[step - 1]);
            }
        }
    }
    probe.stop();

    const auto& kodvik = results[0];
    const auto& bare = results[1];
    std::printf("%d runs each, interleaved, after one warm-up each; median (range)\n", runs);
    std::printf("%-30s %29s %29s\n", "", "kodvik", "bare");
    printRow("start -> window mapped", "ms",
             summary(kodvik, [](const Run& r) { return r.mappedMs; }),
             summary(bare, [](const Run& r) { return r.mappedMs; }), true);
    printRow("start -> first paint", "ms",
             summary(kodvik, [](const Run& r) { return r.paintedMs; }),
             summary(bare, [](const Run& r) { return r.paintedMs; }), true);
    printRow("resident memory, settled", "MB",
             summary(kodvik, [](const Run& r) { return r.rssMb; }),
             summary(bare, [](const Run& r) { return r.rssMb; }), true);
    printRow("CPU, 5 s idle after paint", "ms",
             summary(kodvik, [](const Run& r) { return r.earlyIdle.cpuMs; }),
             summary(bare, [](const Run& r) { return r.earlyIdle.cpuMs; }), false);
    printRow("wake-ups, 5 s idle after paint", "",
             summary(kodvik, [](const Run& r) { return double(r.earlyIdle.wakeups); }),
             summary(bare, [](const Run& r) { return double(r.earlyIdle.wakeups); }), false);
    printRow("CPU, 11 s to 16 s", "ms",
             summary(kodvik, [](const Run& r) { return r.lateIdle.cpuMs; }),
             summary(bare, [](const Run& r) { return r.lateIdle.cpuMs; }), false);
    printRow("wake-ups, 11 s to 16 s", "",
             summary(kodvik, [](const Run& r) { return double(r.lateIdle.wakeups); }),
             summary(bare, [](const Run& r) { return double(r.lateIdle.wakeups); }), false);
    printRow("repaints, 11 s to 16 s", "",
             summary(kodvik, [](const Run& r) { return double(r.lateRepaints); }),
             summary(bare, [](const Run& r) { return double(r.lateRepaints); }), false);

    if (intervals.empty()) {
        std::printf("held \">\": no steps seen\n");
        return 1;
    }
    std::printf("held \">\" %d x %lld ms: %zu steps; interval median %.1f ms (%.1f-%.1f); "
                "first step %.1f ms after the press; latest step %+.1f ms against press + n x "
                "500 ms\n",
                holds, static_cast<long long>(holdTime.count()), ticks.size(), median(intervals),
                *std::min_element(intervals.begin(), intervals.end()),
                *std::max_element(intervals.begin(), intervals.end()), ticks.front(), latest);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        return measure(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "probe: %s\n", error.what());
        return 1;
    }
}

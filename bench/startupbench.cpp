// Start-up benchmark driver: starts the probed program and the probed baseline in turn, each with
// fresh settings, and compares the time from starting the process to its first window painted
// on screen, and the peak resident memory until then.
//
//     startup-bench [--platform xcb|offscreen] [--runs N] [--warmup N]
//
// The time runs from just before posix_spawn() to the moment the child's probe (exposeprobe.cpp)
// has handled the first expose of its window, both read from CLOCK_MONOTONIC. The probe then ends
// the child at once, and wait4() gives its peak resident memory. The Qt platform is handed to the
// children in QT_QPA_PLATFORM; xcb needs a DISPLAY (Xvfb).

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace fs = std::filesystem;

namespace {

// Under Xvfb the X server's own work, the same for both, takes a share of either start.
constexpr double XcbTimeTarget = 1.10;
constexpr double OffscreenTimeTarget = 1.05;
constexpr double MemoryTarget = 1.07;
// The main window's size, menu bar included, and the baseline's: a first window of another size
// is a question or a message box, and the run would not measure the start-up it means to.
constexpr char MainWindowSize[] = "561x339";
constexpr int TimeoutMs = 30000;

struct Contender
{
    std::string name;
    fs::path executable;
};

struct Sample
{
    double milliseconds = 0;
    double cpuMilliseconds = 0; // user and system time of the child, its own children included
    long peakKiB = 0;
    std::string window; // "WxH title"
};

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

fs::path session; // this invocation's temporary folder

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "startup-bench: %s\n", message.c_str());
    if (!session.empty()) {
        std::error_code ignored;
        fs::remove_all(session, ignored);
    }
    std::exit(2);
}

// The children's environment: ours, with the platform and the per-user folders replaced.
std::vector<std::string> childEnvironment(const std::string &platform, const fs::path &run,
                                          const fs::path &cache)
{
    const std::vector<std::string> replaced = {"HOME=", "XDG_CONFIG_HOME=", "XDG_RUNTIME_DIR=",
                                               "XDG_CACHE_HOME=", "QT_QPA_PLATFORM="};
    std::vector<std::string> env;
    for (char **entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (std::none_of(replaced.begin(), replaced.end(),
                         [&](const std::string &prefix) { return variable.rfind(prefix, 0) == 0; }))
            env.push_back(variable);
    }
    env.push_back("HOME=" + (run / "home").string());
    env.push_back("XDG_CONFIG_HOME=" + (run / "home/.config").string());
    env.push_back("XDG_RUNTIME_DIR=" + (run / "runtime").string());
    env.push_back("XDG_CACHE_HOME=" + cache.string());
    env.push_back("QT_QPA_PLATFORM=" + platform);
    return env;
}

// Reads the probe's line, or gives up at the deadline or when the child closes its output.
std::optional<std::string> readLine(int fd, long long deadline, bool &timedOut)
{
    timedOut = false;
    std::string text;
    char buffer[512];
    while (text.find('\n') == std::string::npos) {
        const long long left = (deadline - monotonicNanoseconds()) / 1000000;
        if (left <= 0) {
            timedOut = true;
            return std::nullopt;
        }
        pollfd wait{fd, POLLIN, 0};
        const int ready = poll(&wait, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            timedOut = true;
        if (ready <= 0)
            return std::nullopt;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;
        text.append(buffer, static_cast<size_t>(got));
    }
    return text.substr(0, text.find('\n'));
}

// The end of what the child wrote to its standard error, to show why a run failed.
std::string lastMessages(const fs::path &file)
{
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.empty())
        return {};
    if (text.size() > 2000)
        text = "..." + text.substr(text.size() - 2000);
    return "; it wrote:\n" + text;
}

Sample runOnce(const Contender &contender, const std::string &platform)
{
    // Fresh settings and a fresh lock folder for every run: no update question, no second copy.
    const fs::path run = session / "run";
    fs::remove_all(run);
    fs::create_directories(run / "home/.config");
    fs::create_directory(run / "runtime");
    fs::permissions(run / "runtime", fs::perms::owner_all, fs::perm_options::replace);

    std::vector<std::string> env = childEnvironment(platform, run, session / "cache");
    std::vector<char *> envp;
    for (std::string &variable : env)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string program = contender.executable.string();
    char *argv[] = {program.data(), nullptr};

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        fail(std::string("pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    // Qt's warnings are kept aside and shown only when a run fails.
    const std::string messages = (session / "messages").string();
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, messages.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);

    pid_t pid = 0;
    const long long started = monotonicNanoseconds();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0)
        fail("cannot start " + program + ": " + std::strerror(spawned));

    bool timedOut = false;
    const std::optional<std::string> line = readLine(out[0], started + TimeoutMs * 1000000LL, timedOut);
    close(out[0]);
    if (!line)
        kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    fs::remove_all(run);

    std::istringstream fields(line.value_or(""));
    std::string word;
    long long exposed = 0;
    Sample sample;
    fields >> word >> exposed >> std::ws;
    std::getline(fields, sample.window);
    if (!line || word != "exposed" || exposed <= started) {
        std::string why = timedOut ? "showed no window within " + std::to_string(TimeoutMs / 1000) + " s"
                          : !line  ? "ended without showing a window"
                                   : "wrote '" + *line + "'";
        if (WIFEXITED(status))
            why += ", exit status " + std::to_string(WEXITSTATUS(status));
        else if (WIFSIGNALED(status))
            why += ", signal " + std::to_string(WTERMSIG(status));
        fail(contender.name + " (" + platform + ") " + why + lastMessages(session / "messages"));
    }
    if (sample.window.substr(0, sample.window.find(' ')) != MainWindowSize)
        fail(contender.name + " (" + platform + ") first showed the window " + sample.window
             + ", not its main window");
    sample.milliseconds = static_cast<double>(exposed - started) / 1e6;
    sample.cpuMilliseconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                             + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    sample.peakKiB = usage.ru_maxrss; // kibibytes on Linux
    return sample;
}

double quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    const double position = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<size_t>(position);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (position - static_cast<double>(below));
}

// How many fonts fontconfig offers the children (they inherit FONTCONFIG_FILE and the rest): each
// font the program loads costs a search through all of them, so a desktop's thousands of fonts
// weigh on the program's start more than on the baseline's. -1 when fc-list cannot be run.
long fontCount()
{
    FILE *list = popen("fc-list 2>/dev/null", "r");
    if (!list)
        return -1;
    long lines = 0;
    for (int c = std::fgetc(list); c != EOF; c = std::fgetc(list))
        lines += c == '\n';
    return pclose(list) == 0 ? lines : -1;
}

int positiveNumber(const char *text, const char *option)
{
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0 || value > 10000)
        fail(std::string(option) + " takes a number from 0 to 10000, not '" + text + "'");
    return static_cast<int>(value);
}

} // namespace

int main(int argc, char *argv[])
{
    std::string platform = "offscreen";
    int runs = 25;
    int warmup = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc || (option != "--platform" && option != "--runs" && option != "--warmup"))
            fail("usage: startup-bench [--platform xcb|offscreen] [--runs N] [--warmup N]");
        const char *value = argv[++i];
        if (option == "--platform")
            platform = value;
        else if (option == "--runs")
            runs = std::max(1, positiveNumber(value, "--runs"));
        else
            warmup = positiveNumber(value, "--warmup");
    }

    const fs::path here = fs::read_symlink("/proc/self/exe").parent_path();
    const Contender contenders[2] = {{"vexmora", here / "vexmora-probed"},
                                     {"baseline", here / "baseline-probed"}};

    std::string pattern = (fs::temp_directory_path() / "vexmora-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        fail(std::string("cannot make a temporary folder: ") + std::strerror(errno));
    session = pattern;
    // Font and shader caches persist between runs, as they do for a user; settings do not.
    fs::create_directory(session / "cache");

    std::vector<Sample> samples[2];
    for (int round = 0; round < warmup + runs; ++round) {
        // Alternate which one goes first, so that neither always runs on the other's heels.
        for (int k = 0; k < 2; ++k) {
            const int which = (round % 2 == 0) ? k : 1 - k;
            Sample sample = runOnce(contenders[which], platform);
            if (round >= warmup)
                samples[which].push_back(sample);
        }
    }
    fs::remove_all(session);

    double medianMs[2], lowMs[2], highMs[2], cpuMs[2], medianMiB[2];
    for (int which = 0; which < 2; ++which) {
        std::vector<double> times, cpu, peaks;
        for (const Sample &sample : samples[which]) {
            times.push_back(sample.milliseconds);
            cpu.push_back(sample.cpuMilliseconds);
            peaks.push_back(static_cast<double>(sample.peakKiB) / 1024.0);
        }
        medianMs[which] = quantile(times, 0.5);
        lowMs[which] = quantile(times, 0.25);
        highMs[which] = quantile(times, 0.75);
        cpuMs[which] = quantile(cpu, 0.5);
        medianMiB[which] = quantile(peaks, 0.5);
    }
    const double timeRatio = medianMs[0] / medianMs[1];
    const double TimeTarget = platform == "xcb" ? XcbTimeTarget : OffscreenTimeTarget;
    const double memoryRatio = medianMiB[0] / medianMiB[1];

    // The CPU time only adds a figure that other work on the machine disturbs less; the target is
    // for the time to the first frame.
    const long fonts = fontCount();
    std::printf("Start-up to the first window painted, platform %s, %s fonts: %d runs each, "
                "alternating, after %d warm-up runs each (medians)\n",
                platform.c_str(), fonts < 0 ? "unknown number of" : std::to_string(fonts).c_str(), runs,
                warmup);
    std::printf("%-17s %8s %16s %8s %13s   %s\n", "", "time ms", "quartiles ms", "CPU ms", "peak RSS MiB",
                "first window");
    for (int which = 0; which < 2; ++which)
        std::printf("%-17s %8.1f %7.1f - %6.1f %8.1f %13.1f   %s\n", contenders[which].name.c_str(),
                    medianMs[which], lowMs[which], highMs[which], cpuMs[which], medianMiB[which],
                    samples[which].front().window.c_str());
    std::printf("%-17s %8.3f %16s %8.3f %13.3f   time at most %.2f: %s, memory at most %.2f: %s\n",
                "vexmora/baseline", timeRatio, "", cpuMs[0] / cpuMs[1], memoryRatio, TimeTarget,
                timeRatio <= TimeTarget ? "met" : "NOT met", MemoryTarget,
                memoryRatio <= MemoryTarget ? "met" : "NOT met");
    return 0;
}

// kroda-launch [--settle MS] [--cpu-over MS] [--timeout MS] -- PROGRAM ARGS...
// Starts PROGRAM and times it from just before exec to the moment it prints "startup-ms N" on
// stderr (its first painted frame). Then waits MS, reads the program's resident set, and
// measures the CPU it uses over a further MS. Ends the program and prints one line:
//   first-frame-ms F self-ms N rss-kb R cpu-percent C
// Exit status 0, or 1 when the program ended or timed out before its first frame.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

long rssKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// User plus system CPU time of the process so far, in clock ticks.
long long cpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(in, line);
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14)
            utime = std::atoll(field.c_str());
        if (i == 15) {
            stime = std::atoll(field.c_str());
            return utime + stime;
        }
    }
    return -1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: kroda-launch [--settle MS] [--cpu-over MS] [--timeout MS] "
                 "-- PROGRAM ARGS...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    long settle = 0, cpuOver = 0, timeout = 60000;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (i + 1 >= argc)
            return usage();
        if (!std::strcmp(argv[i], "--settle"))
            settle = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--cpu-over"))
            cpuOver = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--timeout"))
            timeout = std::atol(argv[++i]);
        else
            return usage();
    }
    if (i + 1 >= argc)
        return usage();
    char** program = argv + i + 1;

    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return 1;
    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        return 1;
    if (pid == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execvp(program[0], program);
        std::perror("kroda-launch: exec");
        _exit(127);
    }
    close(pipeFds[1]);

    // Reads stderr line by line until the start-up line; what else the program says is shown.
    std::string buffer;
    long long selfMs = -1;
    double firstFrame = -1;
    while (firstFrame < 0) {
        const double left = timeout - (nowMs() - start);
        pollfd fd{pipeFds[0], POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) <= 0)
            break;
        char chunk[4096];
        const ssize_t n = read(pipeFds[0], chunk, sizeof chunk);
        if (n <= 0)
            break;
        const double at = nowMs();
        buffer.append(chunk, static_cast<std::size_t>(n));
        for (std::size_t eol; firstFrame < 0 && (eol = buffer.find('\n')) != std::string::npos;) {
            const std::string line = buffer.substr(0, eol);
            buffer.erase(0, eol + 1);
            if (line.rfind("startup-ms ", 0) == 0) {
                selfMs = std::atoll(line.c_str() + 11);
                firstFrame = at - start;
            } else {
                std::fprintf(stderr, "%s\n", line.c_str());
            }
        }
    }
    // Keep the program's stderr drained, so that it never blocks on a full pipe.
    std::thread([fd = pipeFds[0]] {
        char sink[4096];
        while (read(fd, sink, sizeof sink) > 0) {
        }
    }).detach();

    long rss = -1;
    double cpuPercent = -1;
    if (firstFrame >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settle));
        rss = rssKb(pid);
        if (cpuOver > 0) {
            const long long before = cpuTicks(pid);
            const double from = nowMs();
            std::this_thread::sleep_for(std::chrono::milliseconds(cpuOver));
            const long long after = cpuTicks(pid);
            const double hz = static_cast<double>(sysconf(_SC_CLK_TCK));
            if (before >= 0 && after >= 0)
                cpuPercent =
                    static_cast<double>(after - before) / hz * 1000.0 / (nowMs() - from) * 100.0;
        }
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    if (firstFrame < 0) {
        std::fprintf(stderr, "kroda-launch: %s gave no first frame\n", program[0]);
        return 1;
    }
    std::printf("first-frame-ms %.1f self-ms %lld rss-kb %ld cpu-percent %.2f\n", firstFrame,
                selfMs, rss, cpuPercent);
    return 0;
}

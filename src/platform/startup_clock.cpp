#include "platform/startup_clock.h"

#include <unistd.h>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace kroda {

std::int64_t msSinceProcessStart() {
    std::FILE* f = std::fopen("/proc/self/stat", "r");
    if (!f)
        return -1;
    char line[1024] = {};
    const bool read = std::fgets(line, sizeof line, f) != nullptr;
    std::fclose(f);
    // The program's name, in parentheses, may hold blanks: count fields after its last ')'.
    const char* p = read ? std::strrchr(line, ')') : nullptr;
    if (!p)
        return -1;
    unsigned long long startTicks = 0;
    int field = 2;
    for (const char* q = p + 1; *q; ++q) {
        if (*q == ' ' && ++field == 22) {
            if (std::sscanf(q + 1, "%llu", &startTicks) != 1)
                return -1;
            break;
        }
    }
    const long hz = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (field != 22 || hz <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const long double startMs = static_cast<long double>(startTicks) * 1000.0L / hz;
    const long double nowMs = now.tv_sec * 1000.0L + now.tv_nsec / 1e6L;
    return static_cast<std::int64_t>(nowMs - startMs);
}

}  // namespace kroda

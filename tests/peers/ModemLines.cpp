// Preloaded into a program under test: gives pseudo-terminals the RTS and DTR lines they lack.
// Every change of the emulated lines is appended to the file named by FDLOG_MODEM_LOG as
// "<monotonic ms> <RTS 0|1> <DTR 0|1> <device>", so a test sees when a line went up and down.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

int g_lines = 0;

void record(int fd)
{
    const char* path = std::getenv("FDLOG_MODEM_LOG");
    if (!path)
        return;
    char link[64];
    char device[256] = {};
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    if (readlink(link, device, sizeof device - 1) < 0)
        device[0] = '?';
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%lld %d %d %s\n", now.tv_sec * 1000LL + now.tv_nsec / 1000000, (g_lines & TIOCM_RTS) ? 1 : 0,
                     (g_lines & TIOCM_DTR) ? 1 : 0, device);
        std::fclose(f);
    }
}

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    using Real = int (*)(int, unsigned long, ...);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "ioctl"));
    const bool modem = request == TIOCMBIS || request == TIOCMBIC || request == TIOCMSET || request == TIOCMGET;
    if (!modem || !isatty(fd))
        return real(fd, request, arg);
    int* bits = static_cast<int*>(arg);
    if (request == TIOCMGET) {
        *bits = g_lines;
        return 0;
    }
    g_lines = request == TIOCMBIS ? (g_lines | *bits) : request == TIOCMBIC ? (g_lines & ~*bits) : *bits;
    record(fd);
    return 0;
}

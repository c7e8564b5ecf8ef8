// Runs a program under measurement, noting on standard error the instant just
// before it is executed, on the clock the preloaded shim reads too:
//   exec t=<monotonic ns>
// so that a start-up figure runs from exec, whatever the bench's own language
// costs to start a process.

#include <unistd.h>

#include <cstdio>
#include <ctime>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    std::fprintf(stderr, "exec t=%lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
    std::fflush(stderr);
    execv(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}

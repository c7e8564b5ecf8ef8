#include "platform/Console.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace bc {

namespace {
ConsoleObserver& observer()
{
    static ConsoleObserver instance;
    return instance;
}
bool echo = true;
} // namespace

void NSLog(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char stack[512];
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(stack, sizeof stack, format, copy);
    va_end(copy);
    std::string line;
    if (size >= 0 && static_cast<std::size_t>(size) < sizeof stack) {
        line.assign(stack, static_cast<std::size_t>(size));
    } else if (size > 0) {
        line.resize(static_cast<std::size_t>(size));
        std::vsnprintf(line.data(), line.size() + 1, format, args);
    }
    va_end(args);

    if (echo) {
        const auto now = std::chrono::system_clock::now();
        const std::time_t secs = std::chrono::system_clock::to_time_t(now);
        const auto millis =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        std::tm local{};
        localtime_r(&secs, &local);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
        std::fprintf(stderr, "%s.%03d %s[%d] %s\n", stamp, static_cast<int>(millis), kProgramName,
                     static_cast<int>(getpid()), line.c_str());
    }
    if (observer()) {
        observer()(line);
    }
}

void warn(const std::string& message)
{
    if (echo) {
        std::fprintf(stderr, "%s: warning: %s\n", kProgramName, message.c_str());
    }
}

ConsoleObserver setConsoleObserver(ConsoleObserver next)
{
    ConsoleObserver previous = std::move(observer());
    observer() = std::move(next);
    return previous;
}

void setConsoleEcho(bool value) { echo = value; }

} // namespace bc

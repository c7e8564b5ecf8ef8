#include "platform/Console.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace bc {

void Console::log(const std::string& line)
{
    if (echo_) {
        const auto now = std::chrono::system_clock::now();
        const std::time_t secs = std::chrono::system_clock::to_time_t(now);
        const auto millis =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        std::tm local{};
        char stamp[32] = "";
        if (localtime_r(&secs, &local) == nullptr || std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local) == 0) {
            stamp[0] = '\0';
        }
        std::fprintf(stderr, "%s.%03d %s[%d] %s\n", stamp, static_cast<int>(millis), kProgramName,
                     static_cast<int>(getpid()), line.c_str());
    }
    if (observer_) {
        observer_(line);
    }
}

void Console::warn(const std::string& message) const
{
    if (echo_) {
        bc::warn(message);
    }
}

Console::Observer Console::setObserver(Observer next)
{
    Observer previous = std::move(observer_);
    observer_ = std::move(next);
    return previous;
}

void warn(const std::string& message) { std::fprintf(stderr, "%s: warning: %s\n", kProgramName, message.c_str()); }

} // namespace bc

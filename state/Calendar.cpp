#include "state/Calendar.h"

#include <charconv>
#include <chrono>
#include <cstdio>

namespace bc {

namespace {
bool digits(std::string_view text, std::size_t from, std::size_t count, unsigned& value)
{
    const char* first = text.data() + from;
    auto [end, ec] = std::from_chars(first, first + count, value);
    return ec == std::errc() && end == first + count && text[from] != '+' && text[from] != '-';
}
} // namespace

std::optional<Date> parseDate(std::string_view text)
{
    unsigned year = 0, month = 0, day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digits(text, 0, 4, year) ||
        !digits(text, 5, 2, month) || !digits(text, 8, 2, day) || year < 1970) {
        return std::nullopt;
    }
    const std::chrono::year_month_day real{std::chrono::year(static_cast<int>(year)), std::chrono::month(month),
                                           std::chrono::day(day)};
    if (!real.ok()) {
        return std::nullopt;
    }
    return Date{static_cast<int>(year), month, day};
}

std::string formatDate(Date date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", date.year, date.month, date.day);
    return text;
}

long dayNumber(Date date)
{
    const std::chrono::sys_days days{
        std::chrono::year_month_day{std::chrono::year(date.year), std::chrono::month(date.month), std::chrono::day(date.day)}};
    return static_cast<long>(days.time_since_epoch().count());
}

Date dateOfDay(long number)
{
    const std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{number}}};
    return Date{static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day())};
}

// 1970-01-01 was a Thursday: three days on is the Monday after it.
long weekNumber(Date date)
{
    const long shifted = dayNumber(date) + 3;
    return shifted >= 0 ? shifted / 7 : -((6 - shifted) / 7);
}

} // namespace bc

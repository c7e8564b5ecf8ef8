#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bc {

// A day of the local calendar, as a child lives it: a new one starts at midnight.
struct Date {
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

// The day the headless driver and the tests play unless told another: a Monday.
inline constexpr Date kFirstPlayDay{2026, 1, 5};

// YYYY-MM-DD naming a real day from 1970 to 9999; nothing for anything else.
std::optional<Date> parseDate(std::string_view text);
std::string formatDate(Date date);
// Days since 1970-01-01, and back.
long dayNumber(Date date);
Date dateOfDay(long dayNumber);
// The same number for every day from a Monday to the Sunday after it.
long weekNumber(Date date);

} // namespace bc

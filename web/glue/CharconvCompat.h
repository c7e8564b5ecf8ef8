#pragma once
// The libc++ that ships with Debian's emscripten predates the floating-point
// <charconv> calls the game uses to read and print numbers. The web build
// includes this first; it supplies them with the same contract: no leading
// '+', space or hex prefix when reading, and the shortest text that reads
// back as the same number when printing.
#include <cctype>
#include <cerrno>
#include <cmath>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace bc::compat {

inline std::from_chars_result fromChars(const char* first, const char* last, double& value)
{
    const char* body = first;
    if (body < last && *body == '-') {
        ++body;
    }
    const bool refused = first == last || body == last || *first == '+' ||
                         std::isspace(static_cast<unsigned char>(*first)) != 0 ||
                         std::isspace(static_cast<unsigned char>(*body)) != 0 || *body == '+' || *body == '-';
    if (refused) {
        return {first, std::errc::invalid_argument};
    }
    // No hex without being asked for it: "0x10" is a 0 followed by other text.
    if (last - body >= 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
        last = body + 1;
    }
    const std::string text(first, last);
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) {
        return {first, std::errc::invalid_argument};
    }
    const char* stop = first + (end - text.c_str());
    if (errno == ERANGE) {
        return {stop, std::errc::result_out_of_range};
    }
    value = parsed;
    return {stop, std::errc()};
}

inline std::from_chars_result fromChars(const char* first, const char* last, float& value)
{
    double wide = 0;
    auto result = fromChars(first, last, wide);
    if (result.ec == std::errc()) {
        value = static_cast<float>(wide);
    }
    return result;
}

namespace detail {
inline std::to_chars_result copyOut(char* first, char* last, const std::string& text)
{
    if (static_cast<std::size_t>(last - first) < text.size()) {
        return {last, std::errc::value_too_large};
    }
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

// The fewest significant digits that read back as the value, written plain
// or with an exponent, whichever is shorter (plain on a tie).
template <class T, class Read>
std::string shortest(T value, int maxDigits, Read read)
{
    char text[48];
    if (!std::isfinite(static_cast<double>(value))) {
        std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
        return text;
    }
    for (int digits = 1; digits <= maxDigits; ++digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(value));
        if (read(text) == value) {
            break;
        }
    }
    const std::string scientific = text;
    std::string sign;
    std::string mantissa = scientific.substr(0, scientific.find('e'));
    if (!mantissa.empty() && mantissa[0] == '-') {
        sign = "-";
        mantissa.erase(0, 1);
    }
    std::string digits;
    for (char c : mantissa) {
        if (c != '.') {
            digits += c;
        }
    }
    const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    const int count = static_cast<int>(digits.size());
    std::string plain;
    if (exponent >= count - 1) {
        // A whole number: all its digits, the exact ones, cost no more characters.
        std::snprintf(text, sizeof text, "%.0f", std::fabs(static_cast<double>(value)));
        plain = text;
    } else if (exponent >= 0) {
        plain = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                digits.substr(static_cast<std::size_t>(exponent + 1));
    } else {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    plain = sign + plain;
    return plain.size() <= scientific.size() ? plain : scientific;
}
} // namespace detail

inline std::to_chars_result toChars(char* first, char* last, double value)
{
    return detail::copyOut(first, last,
                           detail::shortest(value, 17, [](const char* t) { return std::strtod(t, nullptr); }));
}

inline std::to_chars_result toChars(char* first, char* last, float value)
{
    return detail::copyOut(first, last,
                           detail::shortest(value, 9, [](const char* t) { return std::strtof(t, nullptr); }));
}

} // namespace bc::compat

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
namespace std {
inline from_chars_result from_chars(const char* first, const char* last, double& value)
{
    return bc::compat::fromChars(first, last, value);
}
inline from_chars_result from_chars(const char* first, const char* last, float& value)
{
    return bc::compat::fromChars(first, last, value);
}
inline to_chars_result to_chars(char* first, char* last, double value) { return bc::compat::toChars(first, last, value); }
inline to_chars_result to_chars(char* first, char* last, float value) { return bc::compat::toChars(first, last, value); }
} // namespace std
#endif

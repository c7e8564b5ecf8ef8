#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace bc {

// The exit status of a program that could not start.
constexpr int kStartupFailure = 2;

// Why something could not be done: one line a person can act on, naming the
// file, option or control at fault.
struct Error {
    std::string message;
};

// A value, or the error that stopped it. Everything that can fail answers
// with one of these instead of throwing, aborting or filling in out-parameters.
template <class T> class Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    T& value() { return std::get<T>(state_); }
    const T& value() const { return std::get<T>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // Only when !ok().
    const Error& error() const { return std::get<Error>(state_); }

private:
    std::variant<T, Error> state_;
};

// Done, or why not: for steps that have nothing to hand back.
template <> class Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }

    // Only when !ok().
    const Error& error() const { return *error_; }

private:
    std::optional<Error> error_;
};

inline Result<void> done() { return {}; }

} // namespace bc

// Hands an error on to the caller, which must itself answer a Result.
#define BC_TRY(...)                                                                                                    \
    do {                                                                                                               \
        if (auto bc_tried_ = (__VA_ARGS__); !bc_tried_.ok()) {                                                         \
            return bc_tried_.error();                                                                                  \
        }                                                                                                              \
    } while (false)

// Declares `name` as the value of a Result, or hands its error on.
#define BC_TRY_LET(name, ...)                                                                                          \
    auto name##_result_ = (__VA_ARGS__);                                                                               \
    if (!name##_result_.ok()) {                                                                                        \
        return name##_result_.error();                                                                                 \
    }                                                                                                                  \
    auto name = std::move(*name##_result_)

#pragma once

#include <string>
#include <utility>
#include <variant>

namespace bc {

// The exit status of a program that could not start.
constexpr int kStartupFailure = 2;

// Why something could not be loaded or started: one line a person can act
// on, naming the file or option and the entry at fault.
struct Error {
    std::string message;
};

// A value, or the error that stopped it. Loaders and start-up steps answer
// with one of these instead of throwing or filling in out-parameters.
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

} // namespace bc

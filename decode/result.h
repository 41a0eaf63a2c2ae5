#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace voltarix::decode {

// What an operation gave: its value, or a message for the user (Russian, one or two sentences)
// that says why not. Result<> is the outcome of an operation that gives nothing else.
template <typename T = std::monostate> class Result {
public:
    Result(T value) : value_(std::move(value)) {}

    static Result failure(std::string message) {
        Result result;
        result.error_ = std::move(message);
        return result;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T& value() const& { return *value_; }
    T& value() & { return *value_; }
    T&& value() && { return std::move(*value_); }
    const T& operator*() const& { return *value_; }
    const T* operator->() const { return &*value_; }

    // Empty when ok().
    const std::string& error() const { return error_; }

private:
    Result() = default;

    std::optional<T> value_;
    std::string error_;
};

inline Result<> success() {
    return Result<>(std::monostate{});
}

} // namespace voltarix::decode

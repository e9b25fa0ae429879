#pragma once
// What a write of the library came to: done (with a value for the writes that make something),
// or failed with the message the user is shown. The write stops where it failed; whatever it
// wrote before stays written. One place at the command boundary shows a failure.
#include <optional>
#include <string>
#include <utility>

namespace tw {

// A failed step, convertible into any LibraryResult.
struct LibraryFailure {
    std::string message;
};

inline LibraryFailure Failed(std::string message) {
    return {std::move(message)};
}

template <class T = void> class [[nodiscard]] LibraryResult {
public:
    LibraryResult(T value) : value_(std::move(value)) {}
    LibraryResult(LibraryFailure failure) : error_(std::move(failure.message)) {}

    bool Ok() const { return value_.has_value(); }
    explicit operator bool() const { return Ok(); }
    // Only when Ok.
    T& Value() { return *value_; }
    const T& Value() const { return *value_; }
    // Empty when Ok.
    const std::string& Error() const { return error_; }
    // The failure, to hand on to a caller of another result type.
    LibraryFailure Failure() const { return {error_}; }

private:
    std::optional<T> value_;
    std::string error_;
};

template <> class [[nodiscard]] LibraryResult<void> {
public:
    LibraryResult() = default;
    LibraryResult(LibraryFailure failure) : failed_(true), error_(std::move(failure.message)) {}

    bool Ok() const { return !failed_; }
    explicit operator bool() const { return Ok(); }
    const std::string& Error() const { return error_; }
    LibraryFailure Failure() const { return {error_}; }

private:
    bool failed_ = false;
    std::string error_;
};

} // namespace tw

#pragma once

#include <optional>
#include <string>
#include <utility>

namespace quorvane {

// What a parser made of its text: the value, or why there is none (by default a message for
// the user). Every parser of the program answers in this shape.
template <typename T, typename Error = std::string>
class Parsed {
  public:
    Parsed(T value) : value_(std::move(value)) {}
    static Parsed failed(Error error) {
        Parsed parsed;
        parsed.error_ = std::move(error);
        return parsed;
    }

    bool ok() const { return value_.has_value(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    // Why there is no value; meaningful only when !ok().
    const Error& error() const { return error_; }

  private:
    Parsed() = default;

    std::optional<T> value_;
    Error error_{};
};

}  // namespace quorvane

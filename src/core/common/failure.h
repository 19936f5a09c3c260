#pragma once

#include <string>
#include <utility>
#include <variant>

namespace zentavour {

// How grave a message is: the message box's icon.
enum class Severity { Information, Warning, Error };

// What the user is told when an operation is refused or fails: the message box caption and text.
struct Failure {
  std::string caption;
  std::string text;
  // Where and why in the system's own words, when a file operation failed
  // ("/home/ana/os/SYSINFO.420: Permission denied"). The windows show caption and text; the CLI
  // prints this line after them.
  std::string detail = {};
  Severity severity = Severity::Error;

  friend bool operator==(const Failure&, const Failure&) = default;
};

inline Failure FileError(std::string text) { return Failure{"File Error", std::move(text)}; }

// A value or the failure that prevented it. Core operations report through this, never by throwing.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Failure failure) : state_(std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(state_); }
  const T& value() const { return std::get<0>(state_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const Failure& failure() const { return std::get<1>(state_); }

 private:
  std::variant<T, Failure> state_;
};

// Success or the failure of an operation that returns nothing.
class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Failure failure) : failure_(std::move(failure)), failed_(true) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const Failure& failure() const { return failure_; }

 private:
  Failure failure_;
  bool failed_ = false;
};

}  // namespace zentavour

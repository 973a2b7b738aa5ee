#pragma once

#include <cstdint>
#include <utility>
#include <variant>

namespace launcher::platform {

// A value, or the error that prevented it. The one result shape of the
// project: the platform layer's calls carry a SystemError, the launcher's
// steps a LaunchError, the branding tool's a BrandError.
template <typename T, typename E>
class Expected {
 public:
  Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Expected(E error) : state_(std::in_place_index<1>, std::move(error)) {}

  explicit operator bool() const { return state_.index() == 0; }
  bool has_value() const { return state_.index() == 0; }
  T& operator*() & { return std::get<0>(state_); }
  const T& operator*() const& { return std::get<0>(state_); }
  T&& operator*() && { return std::get<0>(std::move(state_)); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  const E& error() const { return std::get<1>(state_); }

  // The value, or the fallback when there is none.
  template <typename U>
  T value_or(U&& fallback) const& {
    return has_value() ? **this : static_cast<T>(std::forward<U>(fallback));
  }
  template <typename U>
  T value_or(U&& fallback) && {
    return has_value() ? std::move(**this) : static_cast<T>(std::forward<U>(fallback));
  }

 private:
  std::variant<T, E> state_;
};

// The value of a step that succeeds with nothing to give.
struct Done {};

// The system's error code (GetLastError, errno), taken right at the failing call.
struct SystemError {
  uint32_t code = 0;
};

// What a fallible call of the platform layer gives.
template <typename T>
using SystemResult = Expected<T, SystemError>;
using SystemStatus = SystemResult<Done>;

}  // namespace launcher::platform

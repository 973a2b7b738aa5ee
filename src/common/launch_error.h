#pragma once

#include <cstdint>
#include <utility>
#include <variant>
#include <vector>

#include "platform/wide_string.h"
#include "string_ids.h"

// One argument of a message: a text for %s, a number for %d, or another string
// of the table for %s (loaded only when the message is shown).
using MessageArgument = std::variant<WideString, int32_t, StringId>;

// Why a step failed: the message the user is to see and its arguments, and the
// system's error code taken right at the failing call (0 when none). A silent
// error ends the start without a message: the user cancelled, or there is
// nothing a message could help with.
struct LaunchError {
  StringId message = StringId::kNone;
  std::vector<MessageArgument> arguments;
  uint32_t systemError = 0;

  static LaunchError Silent() { return {}; }
  bool IsSilent() const { return message == StringId::kNone; }
};

// A value, or the error that prevented it.
template <typename T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(LaunchError error) : state_(std::move(error)) {}

  explicit operator bool() const { return state_.index() == 0; }
  T& operator*() { return std::get<0>(state_); }
  const T& operator*() const { return std::get<0>(state_); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  const LaunchError& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, LaunchError> state_;
};

// Success, or the error of a step that has no value to give.
struct Done {};
using Status = Result<Done>;

#pragma once

#include <string>
#include <utility>
#include <variant>

// Why branding cannot go on: a sentence for the publisher, in UTF-8, that the
// tool prefixes with the file it is about.
struct BrandError {
  std::string message;
};

// A value, or the reason there is none.
template <typename T>
class BrandResult {
 public:
  BrandResult(T value) : state_(std::move(value)) {}
  BrandResult(BrandError error) : state_(std::move(error)) {}

  explicit operator bool() const { return state_.index() == 0; }
  T& operator*() { return std::get<0>(state_); }
  const T& operator*() const { return std::get<0>(state_); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  const BrandError& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, BrandError> state_;
};

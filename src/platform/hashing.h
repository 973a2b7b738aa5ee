#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/expected.h"

namespace launcher::platform {

using Sha256Digest = std::array<uint8_t, 32>;

// An SHA-256 of bytes given piece by piece, computed by the system's library
// (CNG on Windows, OpenSSL's libcrypto elsewhere). The library is loaded at the
// first Begin(), never by a start that does not hash.
class Sha256 {
 public:
  static SystemResult<Sha256> Begin();

  Sha256(Sha256&&) noexcept;
  Sha256& operator=(Sha256&&) noexcept;
  ~Sha256();

  SystemStatus Add(std::string_view bytes);
  // The digest of everything added; the object is spent afterwards.
  SystemResult<Sha256Digest> Finish();

  struct State;

 private:
  explicit Sha256(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace launcher::platform

#include "platform/hashing.h"

#include <openssl/evp.h>

#include <cerrno>

#include "platform/library.h"

namespace launcher::platform {
namespace {

// The entry points of libcrypto, loaded once for the process.
struct Libcrypto {
  decltype(&EVP_MD_CTX_new) newContext = nullptr;
  decltype(&EVP_MD_CTX_free) freeContext = nullptr;
  decltype(&EVP_sha256) sha256 = nullptr;
  decltype(&EVP_DigestInit_ex) init = nullptr;
  decltype(&EVP_DigestUpdate) update = nullptr;
  decltype(&EVP_DigestFinal_ex) final = nullptr;
};

const Libcrypto* LoadLibcrypto() {
  static const Libcrypto* const loaded = []() -> const Libcrypto* {
    SystemResult<void*> library = LoadSystemLibrary(L"libcrypto.so.3");
    if (!library) return nullptr;
    static Libcrypto functions;
    const bool complete = BindExport(*library, "EVP_MD_CTX_new", functions.newContext) &&
                          BindExport(*library, "EVP_MD_CTX_free", functions.freeContext) &&
                          BindExport(*library, "EVP_sha256", functions.sha256) &&
                          BindExport(*library, "EVP_DigestInit_ex", functions.init) &&
                          BindExport(*library, "EVP_DigestUpdate", functions.update) &&
                          BindExport(*library, "EVP_DigestFinal_ex", functions.final);
    return complete ? &functions : nullptr;
  }();
  return loaded;
}

// The library is missing or lacks a function.
constexpr uint32_t kLibraryMissing = ELIBACC;

}  // namespace

struct Sha256::State {
  const Libcrypto* library = nullptr;
  EVP_MD_CTX* context = nullptr;
  ~State() {
    if (context != nullptr) library->freeContext(context);
  }
};

Sha256::Sha256(std::unique_ptr<State> state) : state_(std::move(state)) {}
Sha256::Sha256(Sha256&&) noexcept = default;
Sha256& Sha256::operator=(Sha256&&) noexcept = default;
Sha256::~Sha256() = default;

SystemResult<Sha256> Sha256::Begin() {
  const Libcrypto* library = LoadLibcrypto();
  if (library == nullptr) return SystemError{kLibraryMissing};
  auto state = std::make_unique<State>();
  state->library = library;
  state->context = library->newContext();
  if (state->context == nullptr || library->init(state->context, library->sha256(), nullptr) != 1) {
    return SystemError{ENOMEM};
  }
  return Sha256(std::move(state));
}

SystemStatus Sha256::Add(std::string_view bytes) {
  if (state_->library->update(state_->context, bytes.data(), bytes.size()) != 1) return SystemError{EINVAL};
  return Done{};
}

SystemResult<Sha256Digest> Sha256::Finish() {
  Sha256Digest digest{};
  unsigned int length = 0;
  if (state_->library->final(state_->context, digest.data(), &length) != 1 || length != digest.size()) {
    return SystemError{EINVAL};
  }
  return digest;
}

}  // namespace launcher::platform

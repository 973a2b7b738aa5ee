#include "platform/hashing.h"

#include <algorithm>

#include "platform/library.h"
#include "platform/windows_api.h"
// After windows.h, which declares what bcrypt.h uses.
#include <bcrypt.h>

namespace launcher::platform {
namespace {

// The entry points of bcrypt.dll and its SHA-256 provider, loaded once for the
// process from the system folder.
struct Cng {
  decltype(&BCryptCreateHash) createHash = nullptr;
  decltype(&BCryptHashData) hashData = nullptr;
  decltype(&BCryptFinishHash) finishHash = nullptr;
  decltype(&BCryptDestroyHash) destroyHash = nullptr;
  BCRYPT_ALG_HANDLE algorithm = nullptr;
};

struct LoadedCng {
  Cng functions;
  uint32_t error = 0;
};

LoadedCng LoadCng() {
  LoadedCng loaded;
  SystemResult<void*> loadedLibrary = LoadSystemLibrary(L"bcrypt.dll");
  if (!loadedLibrary) return {.functions = {}, .error = loadedLibrary.error().code};
  void* const library = *loadedLibrary;
  decltype(&BCryptOpenAlgorithmProvider) open = nullptr;
  Cng& cng = loaded.functions;
  if (!BindExport(library, "BCryptOpenAlgorithmProvider", open) ||
      !BindExport(library, "BCryptCreateHash", cng.createHash) ||
      !BindExport(library, "BCryptHashData", cng.hashData) ||
      !BindExport(library, "BCryptFinishHash", cng.finishHash) ||
      !BindExport(library, "BCryptDestroyHash", cng.destroyHash)) {
    return {.functions = {}, .error = ::GetLastError()};
  }
  const NTSTATUS status = open(&cng.algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
  if (status < 0) return {.functions = {}, .error = static_cast<uint32_t>(status)};
  return loaded;
}

const LoadedCng& Cng() {
  static const LoadedCng loaded = LoadCng();
  return loaded;
}

}  // namespace

struct Sha256::State {
  const struct Cng* cng = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  ~State() {
    if (hash != nullptr) cng->destroyHash(hash);
  }
};

Sha256::Sha256(std::unique_ptr<State> state) : state_(std::move(state)) {}
Sha256::Sha256(Sha256&&) noexcept = default;
Sha256& Sha256::operator=(Sha256&&) noexcept = default;
Sha256::~Sha256() = default;

SystemResult<Sha256> Sha256::Begin() {
  const LoadedCng& loaded = Cng();
  if (loaded.functions.algorithm == nullptr) return SystemError{loaded.error};
  auto state = std::make_unique<State>();
  state->cng = &loaded.functions;
  // Without a buffer of ours, CNG keeps the hash object itself.
  const NTSTATUS status = state->cng->createHash(loaded.functions.algorithm, &state->hash, nullptr, 0, nullptr, 0, 0);
  if (status < 0) return SystemError{static_cast<uint32_t>(status)};
  return Sha256(std::move(state));
}

SystemStatus Sha256::Add(std::string_view bytes) {
  while (!bytes.empty()) {
    const ULONG piece = static_cast<ULONG>(std::min<size_t>(bytes.size(), 1u << 30));
    auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
    const NTSTATUS status = state_->cng->hashData(state_->hash, data, piece, 0);
    if (status < 0) return SystemError{static_cast<uint32_t>(status)};
    bytes.remove_prefix(piece);
  }
  return Done{};
}

SystemResult<Sha256Digest> Sha256::Finish() {
  Sha256Digest digest{};
  const NTSTATUS status = state_->cng->finishHash(state_->hash, digest.data(), static_cast<ULONG>(digest.size()), 0);
  if (status < 0) return SystemError{static_cast<uint32_t>(status)};
  return digest;
}

}  // namespace launcher::platform

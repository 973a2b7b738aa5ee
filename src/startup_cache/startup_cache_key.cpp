#include "startup_cache/startup_cache_key.h"

#include <string_view>

#include "common/fnv_hash.h"
#include "common/split_list.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace launcher::startup_cache {

namespace {

constexpr std::string_view kClassPathOption = "-Djava.class.path=";
constexpr std::string_view kLibraryPathOption = "-Djava.library.path=";

// 64-bit FNV-1a over the pieces, each ended by a NUL so that no two
// different lists of pieces hash the same bytes.
class Fingerprint {
 public:
  Fingerprint& Add(std::string_view piece) {
    hash_.Mix(piece).Mix(std::string_view("\0", 1));
    return *this;
  }
  Fingerprint& Add(const WideString& piece) { return Add(std::string_view(platform::ToUtf8(piece))); }
  Fingerprint& Add(uint64_t number) { return Add(std::string_view(std::to_string(number))); }

  std::string Hex() const { return HexDigits(hash_.Value()); }

 private:
  Fnv1a64 hash_;
};

void AddFile(Fingerprint& fingerprint, const StampedFile& file) {
  fingerprint.Add(file.path)
      .Add(static_cast<uint64_t>(file.identity.size))
      .Add(static_cast<uint64_t>(file.identity.modified));
}

}  // namespace

WideStringList ClassPathElements(const JvmOptionList& options) {
  for (const std::string& option : options) {
    if (option.compare(0, kClassPathOption.size(), kClassPathOption) != 0) continue;
    return SplitList(platform::FromAnsi(std::string_view(option).substr(kClassPathOption.size())),
                     WideString(1, platform::kPathListSeparator));
  }
  return {};
}

std::vector<StampedFile> ArchivableEntries(const std::vector<StampedFile>& entries) {
  std::vector<StampedFile> archivable;
  for (const StampedFile& entry : entries) {
    if (!entry.identity.regularFile) break;
    archivable.push_back(entry);
  }
  return archivable;
}

std::string CacheKey(const CacheKeyInputs& inputs) {
  Fingerprint fingerprint;
  fingerprint.Add(std::string_view("start-up cache 1"))
      .Add(static_cast<uint64_t>(inputs.mechanism))
      .Add(inputs.runtimeHome)
      .Add(inputs.runtimeVersion);
  AddFile(fingerprint, inputs.jvmLibrary);
  for (const StampedFile& entry : inputs.archivedEntries) AddFile(fingerprint, entry);
  fingerprint.Add(std::string_view("options"));
  for (const std::string& option : inputs.options) {
    if (option.compare(0, kLibraryPathOption.size(), kLibraryPathOption) != 0) fingerprint.Add(option);
  }
  fingerprint.Add(inputs.environmentOptions);
  return fingerprint.Hex();
}

std::string CacheFamily(const WideString& executablePath, const WideString& runtimeHome) {
  return Fingerprint().Add(executablePath).Add(runtimeHome).Hex();
}

}  // namespace launcher::startup_cache

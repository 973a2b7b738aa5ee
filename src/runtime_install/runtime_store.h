#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/trace.h"
#include "platform/expected.h"
#include "platform/hashing.h"
#include "platform/wide_string.h"

namespace launcher::runtime_install {

// The per-user store of installed runtimes, one folder per archive named
// after its hash:
//
//   <store>/<key>/runtime/...      what the archive unpacked
//   <store>/<key>/complete         the completion marker
//   <store>/<key>.part             an archive being downloaded (resumed later)
//   <store>/<key>.unpacking/       a runtime being unpacked (moved to <key> once complete)
//   <store>/install.lock           held by the one start that installs
//
// A runtime is used only through a folder whose marker is there: the marker
// goes into the working folder before the one rename that gives it its name,
// so a crash at any point leaves either a complete runtime or working files,
// which a later start removes or resumes.

// The hexadecimal SHA-256 in lower case, and back (nullopt unless 64 hex digits).
std::string HexOf(const platform::Sha256Digest& digest);
std::optional<platform::Sha256Digest> ParseSha256(std::string_view hex);

// The name of an archive's folder: the first 16 hex digits of its SHA-256.
std::string StoreKeyOf(const platform::Sha256Digest& digest);

// The store's folder for a product: the user's data folder, the product name
// and code folders (each left out when empty), then "Runtimes" (Windows) or
// "runtimes"; ends in a path separator. "" without a data folder.
WideString StoreFolderFor(const WideString& userDataFolder, const WideString& productName,
                          const WideString& productCode);

// A runtime the store holds, as its marker tells it.
struct StoredRuntime {
  std::string key;
  WideString folder;  // <store>/<key>
  WideString home;    // the runtime's home inside it, without a trailing separator
  std::string sha256;
  std::string version;  // JAVA_VERSION of its release file when it was installed
};

// The text of a marker, and a marker read back (nullopt when damaged or of
// another archive).
std::string MarkerText(const std::string& sha256, const std::string& homeInRuntime, const std::string& version);

class RuntimeStore {
 public:
  explicit RuntimeStore(const WideString& folder);

  const WideString& Folder() const { return folder_; }
  WideString RuntimeFolder(const std::string& key) const;
  WideString PartFile(const std::string& key) const;
  WideString UnpackFolder(const std::string& key) const;
  WideString LockFile() const;

  // Where an archive is unpacked inside its working folder, and its marker.
  static WideString ContentFolder(const WideString& runtimeOrUnpackFolder);
  static WideString MarkerFile(const WideString& runtimeOrUnpackFolder);

  // The complete runtime of an archive; nullopt when there is none.
  std::optional<StoredRuntime> Find(const std::string& key) const;

  // Every complete runtime, in no particular order.
  std::vector<StoredRuntime> Installed() const;

  // Removes what crashed or cancelled starts left, for the holder of the
  // lock: every unpacking folder, runtime folders without a marker, the
  // downloads of installed runtimes and those not touched for maxAge
  // (younger ones are resumed). Each removal is traced.
  void RemoveStaleWork(int64_t now, int64_t maxAge, Trace& trace) const;

  // Writes the marker into the unpacking folder, puts the folder's files on
  // the disk and gives it the runtime's name.
  platform::SystemStatus Complete(const std::string& key, const std::string& markerText) const;

 private:
  WideString folder_;  // ends in a separator
};

}  // namespace launcher::runtime_install

#include "runtime_install/runtime_store.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "runtime_install/store_layout.h"
#include "settings/settings_paths.h"

namespace launcher::runtime_install {
namespace {

constexpr size_t kKeyLength = 16;
const WideString kPartSuffix = L".part";
const WideString kUnpackSuffix = L".unpacking";

bool IsKey(const WideString& name) {
  return name.size() == kKeyLength && std::all_of(name.begin(), name.end(), [](wchar_t c) {
           return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f');
         });
}

bool EndsWith(const WideString& text, const WideString& tail) {
  return text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// "key=value" lines of a marker.
std::optional<std::string> MarkerValue(std::string_view text, std::string_view key) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (line.size() > key.size() && line.starts_with(key) && line[key.size()] == '=') {
      return std::string(line.substr(key.size() + 1));
    }
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace

std::string HexOf(const platform::Sha256Digest& digest) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (uint8_t byte : digest) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 15]);
  }
  return hex;
}

std::optional<platform::Sha256Digest> ParseSha256(std::string_view hex) {
  platform::Sha256Digest digest{};
  if (hex.size() != digest.size() * 2) return std::nullopt;
  auto value = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (size_t i = 0; i < digest.size(); ++i) {
    const int high = value(hex[2 * i]), low = value(hex[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    digest[i] = static_cast<uint8_t>(high * 16 + low);
  }
  return digest;
}

std::string StoreKeyOf(const platform::Sha256Digest& digest) { return HexOf(digest).substr(0, kKeyLength); }

WideString StoreFolderFor(const WideString& userDataFolder, const WideString& productName,
                          const WideString& productCode) {
  if (userDataFolder.empty()) return {};
  WideString folder = platform::WithTrailingSeparator(userDataFolder);
  for (const WideString& part : {settings::ProductFolderName(productName), productCode}) {
    if (!part.empty()) folder += part + platform::kPathSeparator;
  }
  return folder + kStoreFolderName + platform::kPathSeparator;
}

std::string MarkerText(const std::string& sha256, const std::string& homeInRuntime, const std::string& version) {
  return "sha256=" + sha256 + "\nhome=" + homeInRuntime + "\nversion=" + version + "\n";
}

RuntimeStore::RuntimeStore(const WideString& folder) : folder_(platform::WithTrailingSeparator(folder)) {}

WideString RuntimeStore::RuntimeFolder(const std::string& key) const { return folder_ + platform::FromUtf8(key); }
WideString RuntimeStore::PartFile(const std::string& key) const { return RuntimeFolder(key) + kPartSuffix; }
WideString RuntimeStore::UnpackFolder(const std::string& key) const { return RuntimeFolder(key) + kUnpackSuffix; }
WideString RuntimeStore::LockFile() const { return folder_ + L"install.lock"; }

WideString RuntimeStore::ContentFolder(const WideString& folder) {
  return platform::WithTrailingSeparator(folder) + L"runtime";
}
WideString RuntimeStore::MarkerFile(const WideString& folder) {
  return platform::WithTrailingSeparator(folder) + L"complete";
}

std::optional<StoredRuntime> RuntimeStore::Find(const std::string& key) const {
  const WideString folder = RuntimeFolder(key);
  const std::string marker = platform::ReadFileStart(MarkerFile(folder), 4096).value_or("");
  const std::optional<std::string> sha256 = MarkerValue(marker, "sha256");
  const std::optional<std::string> home = MarkerValue(marker, "home");
  if (!sha256 || !home || !sha256->starts_with(key) || !ParseSha256(*sha256)) return std::nullopt;
  StoredRuntime runtime{.key = key,
                        .folder = folder,
                        .home = ContentFolder(folder),
                        .sha256 = *sha256,
                        .version = MarkerValue(marker, "version").value_or("")};
  if (!home->empty()) {
    WideString relative = platform::FromUtf8(*home);
    std::replace(relative.begin(), relative.end(), L'/', platform::kPathSeparator);
    runtime.home += platform::kPathSeparator + relative;
  }
  return runtime;
}

std::vector<StoredRuntime> RuntimeStore::Installed() const {
  std::vector<StoredRuntime> runtimes;
  platform::SystemResult<std::vector<platform::FolderEntry>> entries = platform::ListFolder(folder_);
  if (!entries) return runtimes;
  for (const platform::FolderEntry& entry : *entries) {
    if (entry.type != platform::EntryType::Folder || !IsKey(entry.name)) continue;
    if (std::optional<StoredRuntime> runtime = Find(platform::ToUtf8(entry.name))) runtimes.push_back(*runtime);
  }
  return runtimes;
}

void RuntimeStore::RemoveStaleWork(int64_t now, int64_t maxAge, Trace& trace) const {
  platform::SystemResult<std::vector<platform::FolderEntry>> entries = platform::ListFolder(folder_);
  if (!entries) return;
  for (const platform::FolderEntry& entry : *entries) {
    const char* why = nullptr;
    if (EndsWith(entry.name, kUnpackSuffix)) {
      why = "an unpacking that did not end";
    } else if (EndsWith(entry.name, kPartSuffix) && now - entry.modified > maxAge) {
      why = "a download not resumed for a day";
    } else if (EndsWith(entry.name, kPartSuffix) &&
               Find(platform::ToUtf8(entry.name.substr(0, entry.name.size() - kPartSuffix.size())))) {
      why = "the download of a runtime already installed";
    } else if (entry.type == platform::EntryType::Folder && IsKey(entry.name) && !Find(platform::ToUtf8(entry.name))) {
      why = "a runtime folder without its marker";
    }
    if (why == nullptr) continue;
    const platform::SystemStatus removed = platform::RemoveTree(folder_ + entry.name);
    TraceLine(trace, "runtime-store")
        .Word("step", "remove")
        .Text("path", folder_ + entry.name)
        .Number("error", removed ? 0 : removed.error().code)
        .Sentence(why)
        .Write();
  }
}

platform::SystemStatus RuntimeStore::Complete(const std::string& key, const std::string& markerText) const {
  const WideString unpacking = UnpackFolder(key);
  {
    platform::SystemResult<platform::WritableFile> marker =
        platform::WritableFile::CreateNew(MarkerFile(unpacking), platform::FilePermissions::Ordinary);
    if (!marker) return marker.error();
    if (platform::SystemStatus written = marker->Write(markerText); !written) return written;
  }
  if (platform::SystemStatus flushed = platform::FlushTree(unpacking); !flushed) return flushed;
  return platform::RenameEntry(unpacking, RuntimeFolder(key));
}

}  // namespace launcher::runtime_install

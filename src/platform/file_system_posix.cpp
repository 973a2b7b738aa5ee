#include "platform/file_system.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/last_error.h"
#include "platform/posix_api.h"
#include "platform/text.h"

namespace platform {
bool FileExists(const WideString& path) {
  struct stat info;
  return stat(ToUtf8(path).c_str(), &info) == 0;
}

std::optional<uint64_t> RegularFileSize(const WideString& path) {
  struct stat info;
  if (stat(ToUtf8(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(info.st_size);
}

uint32_t MakeDirectory(const WideString& path) {
  if (mkdir(ToUtf8(path).c_str(), 0777) == 0) return 0;
  return errno == EEXIST ? kErrorAlreadyExists : static_cast<uint32_t>(errno);
}

bool RemoveEmptyDirectory(const WideString& path) { return rmdir(ToUtf8(path).c_str()) == 0; }

bool ChangeCurrentDirectory(const WideString& path) { return chdir(ToUtf8(path).c_str()) == 0; }

std::optional<WideStringList> FindFiles(const WideString& pattern) {
  std::string bytes = ToUtf8(pattern);
  size_t slash = bytes.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : bytes.substr(0, slash);
  std::string name = slash == std::string::npos ? bytes : bytes.substr(slash + 1);
  if (name.find_first_of("*?") == std::string::npos) {
    if (!FileExists(pattern)) return std::nullopt;
    return WideStringList{FromUtf8(name)};
  }
  posix::DirectoryListing directory(opendir(folder.c_str()));
  if (!directory) return std::nullopt;
  std::vector<std::string> found;
  while (dirent* entry = readdir(directory.Get())) {
    if (fnmatch(name.c_str(), entry->d_name, 0) == 0) found.emplace_back(entry->d_name);
  }
  if (found.empty()) return std::nullopt;
  // readdir's order is the file system's hash order; sorted names make the
  // class path the same on every run, as NTFS's ordered directories do.
  std::sort(found.begin(), found.end());
  WideStringList names;
  for (const std::string& each : found) names.push_back(FromUtf8(each));
  return names;
}

}  // namespace platform

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/expected.h"
#include "platform/unique_handle.h"
#include "platform/wide_string.h"

namespace platform {

// Files and folders that the launcher makes and removes as trees of its own (a
// store of unpacked runtimes): made new, never through a link; links removed,
// never followed.

// What a failure of these calls means to their callers.
enum class FileErrorKind { NotFound, AlreadyExists, DiskFull, Other };
FileErrorKind KindOf(SystemError error);

// An open file of the system (a descriptor, a HANDLE); closed by its owner.
struct OpenFileTraits {
  using Type = intptr_t;
  static Type Invalid() { return -1; }
  static void Close(Type file);
};
using OpenFile = UniqueHandle<OpenFileTraits>;

// Whether a new file may be run as a program: on POSIX its execute bits.
enum class FilePermissions { Ordinary, Executable };

// A file written from its current end on.
class WritableFile {
 public:
  // A new file: fails (AlreadyExists) when anything of that name is there, a
  // link included.
  static SystemResult<WritableFile> CreateNew(const WideString& path, FilePermissions permissions);
  // A plain file to go on writing, made when missing; never a link's target.
  static SystemResult<WritableFile> OpenForAppend(const WideString& path);

  uint64_t Size() const { return size_; }
  SystemStatus Write(std::string_view bytes);
  // Empties the file.
  SystemStatus Truncate();

 private:
  WritableFile(OpenFile file, uint64_t size) : file_(std::move(file)), size_(size) {}
  OpenFile file_;
  uint64_t size_ = 0;
};

// A plain file read at any offset.
class ReadableFile {
 public:
  static SystemResult<ReadableFile> Open(const WideString& path);

  uint64_t Size() const { return size_; }
  // Fills the buffer from the offset on; fewer bytes only at the file's end.
  SystemResult<size_t> ReadAt(uint64_t offset, std::span<char> buffer) const;

 private:
  ReadableFile(OpenFile file, uint64_t size) : file_(std::move(file)), size_(size) {}
  OpenFile file_;
  uint64_t size_ = 0;
};

// Makes one folder (AlreadyExists when something of that name is there).
SystemStatus MakeFolder(const WideString& path);
// Makes a folder and those on its way; done when it is there, AlreadyExists
// when a file has its name.
SystemStatus MakeFolders(const WideString& path);

// A symbolic link at path to target (as written, relative to the link's folder).
SystemStatus MakeSymbolicLink(const WideString& path, const WideString& target);

// Gives a file or folder another name in the same file system; never replaces
// what has that name already (AlreadyExists).
SystemStatus RenameEntry(const WideString& from, const WideString& to);

// Removes a file, a link or a folder with everything in it (links are removed,
// not followed; read-only files too). Done when nothing is there.
SystemStatus RemoveTree(const WideString& path);

enum class EntryType { File, Folder, Link, Other };

struct FolderEntry {
  WideString name;
  EntryType type = EntryType::Other;
  int64_t modified = 0;  // nanoseconds since 1970
};

// The entries of a folder ("." and ".." left out), in no particular order.
SystemResult<std::vector<FolderEntry>> ListFolder(const WideString& folder);

// The bytes the user may still write on the file system that holds the folder.
SystemResult<uint64_t> FreeDiskSpace(const WideString& folder);

// Puts every file under the folder on the disk, so that what is marked
// complete after it survives a power cut.
SystemStatus FlushTree(const WideString& folder);

// An exclusive lock on a file, held until the object goes (or the process
// ends, however it ends).
class FileLock {
 public:
  // Takes the lock of the file (made when missing) unless another holder has
  // it: nullopt then.
  static SystemResult<std::optional<FileLock>> TryTake(const WideString& path);

 private:
  explicit FileLock(OpenFile file) : file_(std::move(file)) {}
  OpenFile file_;
};

}  // namespace platform

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/expected.h"
#include "platform/handles.h"
#include "platform/wide_string.h"

namespace launcher::platform {

// Files and folders, named by paths of any length (on Windows through the
// long-path rule of windows_api.h). A failing call gives the system's error code.

// ---- Reading

// The whole file.
SystemResult<std::string> ReadWholeFile(const WideString& path);

// Whether an error says that the file, or a folder on its path, does not
// exist (rather than that it cannot be read).
bool IsNotFound(SystemError error);

// At most limit bytes from the start of a regular file, for small files that
// other programs keep (a runtime's "release" file): whatever stands in its
// place (a FIFO, a device, a huge file) neither blocks nor fills the memory,
// and is an error.
SystemResult<std::string> ReadFileStart(const WideString& path, size_t limit);

// A whole file mapped read-only into memory; unmapped when the last copy goes.
class MappedFile {
 public:
  // An empty file cannot be mapped.
  static SystemResult<MappedFile> Open(const WideString& path);

  // The file's bytes; valid while the object lives.
  std::string_view Bytes() const { return bytes_; }

 private:
  struct View;  // what the system holds for the mapping
  MappedFile(std::shared_ptr<const View> view, std::string_view bytes) : view_(std::move(view)), bytes_(bytes) {}

  std::shared_ptr<const View> view_;
  std::string_view bytes_;
};

// ---- Writing

// Creates the file, or empties it, and writes the bytes; fails when they could
// not all be written (a full disk, a folder that cannot be written).
SystemStatus WriteFileBytes(const WideString& path, std::string_view bytes);

// Makes the file hold exactly bytes, never leaving it half written. A missing
// file is created (its folder must exist). An existing one is rewritten where
// it really lies (through symbolic links) and keeps its permissions, owner and
// links: the new contents go to a file beside it, to disk, and are then renamed
// over it; where no file can be made beside it (a folder we may not write), it
// is rewritten in place, its new bytes on disk before any old one is cut. A
// read-only file is not changed. On failure (no rights, a full disk) the file
// is left as it was.
SystemStatus ReplaceFileContents(const WideString& path, std::string_view bytes);

// A file opened to have lines added at its end, by this process and any other
// at the same time; closed when the last copy goes.
class AppendFile {
 public:
  // Creates the file when missing; fails when its folder is missing, it is a
  // folder, or access is denied.
  static SystemResult<AppendFile> Open(const WideString& path);

  // Adds the bytes at the end in one write, so that the lines of several
  // writers do not mix.
  SystemStatus Append(std::string_view bytes) const;

 private:
  struct Handle;  // the open file
  explicit AppendFile(std::shared_ptr<const Handle> handle) : handle_(std::move(handle)) {}

  std::shared_ptr<const Handle> handle_;
};

// Renames a file, replacing a file of the new name (read-only ones too) in one step.
SystemStatus MoveFileReplacing(const WideString& from, const WideString& to);

// Deletes a file, read-only ones too.
SystemStatus RemoveFile(const WideString& path);

// Creates a file of a name nothing has yet (a link of that name makes it fail
// too, never followed), writes the bytes and puts them on disk before it
// returns. On failure the file is gone again.
SystemStatus CreateFileWithBytes(const WideString& path, std::string_view bytes);

// Renames a file over another in one step, changing no attribute of either
// file: a read-only target stays as it is and the rename fails.
SystemStatus RenameReplacing(const WideString& from, const WideString& to);

// Whether a file exists that is not to be written: its read-only attribute on
// Windows, no write permission on POSIX.
bool IsReadOnlyFile(const WideString& path);

// What a failed file operation's error says, as far as a caller decides by
// it: nothing of that name, the name was taken, another program holds the
// file for a moment (a virus scanner scanning a new file; Windows only), the
// disk (or the size the process may write) is full.
enum class FileFailure { NotFound, NameTaken, HeldByAnotherProgram, DiskFull, Other };
FileFailure ClassifyFileFailure(SystemError error);

// ---- Folders

// What making a folder did: something of that name may be there already.
enum class FolderCreation { Made, AlreadyThere };

// Creates one folder.
SystemResult<FolderCreation> MakeFolder(const WideString& path);
SystemStatus RemoveEmptyFolder(const WideString& path);

// Makes the folder the process's current one.
SystemStatus ChangeCurrentFolder(const WideString& path);

// The path from the root that a path names now: a relative one is taken from
// the current folder, so that it keeps that meaning when the folder or the
// search that would use it changes. "" stays "", and so does a path the
// system cannot complete.
WideString FixedToCurrentFolder(const WideString& path);

// The names (without folder) that a search pattern finds, in the order the
// system returns them; the pattern may hold the wildcards * and ? in its last
// component. nullopt when nothing is found.
std::optional<WideStringList> FindFiles(const WideString& pattern);

// ---- What a path names

// Whether a file or folder of that name exists (FindFirstFileW finds it).
bool FileExists(const WideString& path);

// The path in the file system's short (8.3) form, each component that has a
// short name replaced by it; a volume that keeps none gives the path back as
// it is. POSIX systems have no short names: the path as it is.
SystemResult<WideString> ShortPathForm(const WideString& path);

// The size of a regular file; nullopt when the path names none (nothing, a
// folder, a FIFO, a device) or it cannot be examined. Opening nothing, it
// never waits.
std::optional<uint64_t> RegularFileSize(const WideString& path);

// What the system tells of a path: whether something is there, whether that
// is a plain file (not a folder), its size, and its last modification time in
// nanoseconds since 1970 (in the file system's resolution).
struct FileIdentity {
  bool exists = false;
  bool regularFile = false;
  uint64_t size = 0;
  int64_t modified = 0;
};

FileIdentity QueryFileIdentity(const WideString& path);

// Whether two paths name one existing file (through links and differently
// spelled paths too); false when either does not exist.
bool IsSameFile(const WideString& a, const WideString& b);

// ---- Rewriting a file in place, ReplaceFileContents' way when no file can be
// made beside it (portable; the system's side gives the open file's operations).

struct OpenFileWriter {
  std::function<SystemStatus(uint64_t offset, std::string_view bytes)> writeAt;
  std::function<SystemStatus(uint64_t size)> truncate;
  std::function<SystemStatus()> flush;  // to the disk
};

// Turns a file that holds old into one that holds wanted. What the file gains
// is written first, beyond its old end, so that a full disk shows before any
// old byte has changed; then only the bytes from the first difference on are
// overwritten; only then is the file cut. A failure puts the old bytes back as
// far as the file lets it, and gives the error of the step that failed.
SystemStatus RewriteInPlace(std::string_view old, std::string_view wanted, const OpenFileWriter& file);

// ---- Trees the launcher makes and removes as its own (a store of unpacked
// runtimes): made new, never through a link; links removed, never followed.

// An open file of the system (a descriptor, a HANDLE); closed by its owner.
struct FileHandleTraits {
  using Type = intptr_t;
  static Type Invalid() { return -1; }
  static void Close(Type file);
};
using FileHandle = UniqueHandle<FileHandleTraits>;

// Whether a new file may be run as a program: on POSIX its execute bits.
enum class FilePermissions { Ordinary, Executable };

// A file written from its current end on.
class WritableFile {
 public:
  // A new file: fails (NameTaken) when anything of that name is there, a
  // link included.
  static SystemResult<WritableFile> CreateNew(const WideString& path, FilePermissions permissions);
  // A plain file to go on writing, made when missing; never a link's target.
  static SystemResult<WritableFile> OpenForAppend(const WideString& path);

  uint64_t Size() const { return size_; }
  SystemStatus Write(std::string_view bytes);
  // Empties the file.
  SystemStatus Truncate();

 private:
  WritableFile(FileHandle file, uint64_t size) : file_(std::move(file)), size_(size) {}
  FileHandle file_;
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
  ReadableFile(FileHandle file, uint64_t size) : file_(std::move(file)), size_(size) {}
  FileHandle file_;
  uint64_t size_ = 0;
};

// Makes a folder and those on its way; done when it is there, NameTaken
// when a file has its name.
SystemStatus MakeFolders(const WideString& path);

// Sets a file's time of last change (seconds since 1970, UTC), so that what
// records it (an archive, a cabinet) records the same time on every run.
SystemStatus SetModificationTime(const WideString& path, int64_t secondsSince1970);

// A symbolic link at path to target (as written, relative to the link's folder).
SystemStatus MakeSymbolicLink(const WideString& path, const WideString& target);

// Gives a file or folder another name in the same file system; never replaces
// what has that name already (NameTaken).
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
  explicit FileLock(FileHandle file) : file_(std::move(file)) {}
  FileHandle file_;
};

}  // namespace launcher::platform

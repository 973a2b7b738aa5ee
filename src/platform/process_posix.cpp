#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/posix_api.h"
#include "platform/process.h"
#include "platform/text.h"

extern char** environ;

namespace launcher::platform {

// ---- The running executable

SystemResult<WideString> QueryModulePath() {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath("/proc/self/exe", nullptr), &std::free);
  if (!resolved) return posix::LastError();
  return FromUtf8(resolved.get());
}

namespace {

struct StringEntry {
  uint32_t id;
  const wchar_t* text;
};

// The same list of texts that the Windows string table is made from.
#define STRING_ENTRY(id, text) {id, L"" text},
constexpr StringEntry kStringTable[] = {
#include "string_table.inc"
};
#undef STRING_ENTRY

}  // namespace

WideString LoadResourceString(uint32_t id) {
  for (const StringEntry& entry : kStringTable) {
    if (entry.id == id) return entry.text;
  }
  return {};
}

std::optional<WideString> LoadBuiltinSettingsText() { return std::nullopt; }

uint32_t CurrentProcessId() { return static_cast<uint32_t>(::getpid()); }

// ---- Its command line

namespace {

WideStringList& RecordedArguments() {
  static WideStringList arguments;
  return arguments;
}

std::vector<std::string>& RecordedBytes() {
  static std::vector<std::string> bytes;
  return bytes;
}

}  // namespace

void RecordProcessArguments(int argc, char** argv) {
  WideStringList& arguments = RecordedArguments();
  arguments.clear();
  RecordedBytes().assign(argv, argv + argc);
  for (int i = 0; i < argc; ++i) arguments.push_back(FromUtf8(argv[i]));
}

ProcessCommandLine QueryCommandLine() { return {std::nullopt, RecordedArguments()}; }

// ---- Its environment

std::optional<WideString> GetEnvironmentValue(const WideString& name) {
  const char* value = std::getenv(ToUtf8(name).c_str());
  if (value == nullptr) return std::nullopt;
  return FromUtf8(value);
}

SystemStatus SetEnvironmentValue(const WideString& name, const WideString& value) {
  if (::setenv(ToUtf8(name).c_str(), ToUtf8(value).c_str(), 1) != 0) return posix::LastError();
  return Done{};
}

SystemStatus UnsetEnvironmentValue(const WideString& name) {
  if (::unsetenv(ToUtf8(name).c_str()) != 0) return posix::LastError();
  return Done{};
}

WideString ExpandEnvironmentReferences(const WideString& text) {
  WideString out;
  size_t position = 0;
  while (position < text.size()) {
    size_t open = text.find(L'%', position);
    if (open == WideString::npos) {
      out.append(text, position);
      break;
    }
    out.append(text, position, open - position);
    size_t close = text.find(L'%', open + 1);
    if (close == WideString::npos) {  // unfinished reference: copied as it is
      out.append(text, open);
      break;
    }
    std::optional<WideString> value =
        close > open + 1 ? GetEnvironmentValue(text.substr(open + 1, close - open - 1)) : std::nullopt;
    if (value) {
      out += *value;
    } else {
      out.append(text, open, close - open + 1);
    }
    position = close + 1;
  }
  return out;
}

namespace {

// An XDG base folder: the variable's value, else the folder below $HOME.
WideString XdgFolder(const wchar_t* variable, const wchar_t* belowHome) {
  WideString xdg = GetEnvironmentValue(variable).value_or(L"");
  if (!xdg.empty() && xdg[0] == L'/') return xdg;  // relative values are ignored, as XDG says
  WideString home = GetEnvironmentValue(L"HOME").value_or(L"");
  return home.empty() ? WideString() : home + belowHome;
}

}  // namespace

WideString UserConfigurationFolder() { return XdgFolder(L"XDG_CONFIG_HOME", L"/.config"); }

WideString UserCacheFolder() { return XdgFolder(L"XDG_CACHE_HOME", L"/.cache"); }

WideString UserDataFolder() { return XdgFolder(L"XDG_DATA_HOME", L"/.local/share"); }

// ---- Its standard streams

bool IsTerminal(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input:
      return ::isatty(STDIN_FILENO) != 0;
    case StandardStream::Output:
      return ::isatty(STDOUT_FILENO) != 0;
    case StandardStream::Error:
      break;
  }
  return ::isatty(STDERR_FILENO) != 0;
}

void WriteStandardError(const WideString& text) {
  std::fputs(ToUtf8(text).c_str(), stderr);
  std::fflush(stderr);
}

std::optional<WideString> ReadStandardInputLine() {
  std::string line;
  for (int c = std::getc(stdin); c != '\n'; c = std::getc(stdin)) {
    if (c == EOF) return line.empty() ? std::nullopt : std::optional<WideString>(FromUtf8(line));
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return FromUtf8(line);
}

// A terminal outlives the program that runs on it.
bool IsAloneOnItsConsole() { return false; }

void WaitForKeyPress() {}

// ---- Its place on the desktop

SystemStatus SetAppUserModelId(const WideString&) { return Done{}; }

// ---- The machine it runs on

namespace {

// The user address space of an x86-64 process: 47 bits.
constexpr uint64_t kUserAddressSpace = uint64_t{1} << 47;

// Read without iostreams, whose locale set-up alone would add half a
// megabyte of the C++ library to the process's resident memory.
uint64_t VirtualSizeInUse() {
  const std::string statm = ReadWholeFile(L"/proc/self/statm").value_or("");
  const uint64_t pages = std::strtoull(statm.c_str(), nullptr, 10);
  return pages * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
}

}  // namespace

// The available address space is the process limit (or the whole user address
// space when there is none) less what the process already uses.
MemoryFigures QueryMemoryFigures() {
  MemoryFigures figures;
  long pages = ::sysconf(_SC_PHYS_PAGES);
  long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages > 0 && pageSize > 0) figures.totalPhysical = static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
  rlimit limit{};
  uint64_t space = kUserAddressSpace;
  if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) space = limit.rlim_cur;
  uint64_t used = VirtualSizeInUse();
  figures.availableVirtual = space > used ? space - used : 0;
  return figures;
}

uint64_t MonotonicMilliseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}

bool IsNtFamily() { return true; }

// ---- Programs it starts

namespace {

// A background copy runs ten steps below the launcher's own priority, at most
// at the lowest: started from a launcher that is itself niced, an absolute
// value could rank it above its starter.
constexpr int kBackgroundNicenessSteps = 10;
constexpr int kLowestPriority = 19;

int BackgroundNiceness() {
  errno = 0;
  const int own = ::getpriority(PRIO_PROCESS, 0);
  return std::min(kLowestPriority, (errno == 0 ? own : 0) + kBackgroundNicenessSteps);
}

// posix_spawn's file actions and attributes, released whatever happens.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attributes_);
    // The caller may be a JVM thread with signals blocked or ignored: the
    // child starts with none blocked and every handler at its default.
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes_, &signals);
    sigfillset(&signals);
    sigdelset(&signals, SIGKILL);
    sigdelset(&signals, SIGSTOP);
    posix_spawnattr_setsigdefault(&attributes_, &signals);
    flags_ = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    posix_spawnattr_setflags(&attributes_, flags_);
  }
  ~SpawnSetup() {
    posix_spawnattr_destroy(&attributes_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  void AddFlags(short flags) {
    flags_ = static_cast<short>(flags_ | flags);
    posix_spawnattr_setflags(&attributes_, flags_);
  }
  posix_spawn_file_actions_t* actions() { return &actions_; }

  // The child's pid.
  SystemResult<pid_t> Spawn(const std::string& program, const std::vector<std::string>& arguments,
                            char* const* environment) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.c_str(), &actions_, &attributes_, argv.data(), environment);
    if (failed != 0) return SystemError{static_cast<uint32_t>(failed)};
    return pid;
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
  short flags_ = 0;
};

}  // namespace

struct ChildProcess::Process {
  pid_t pid;
};

SystemResult<ChildProcess> ChildProcess::StartWithOwnCommandLine(const WideString& program) {
  // The argument vector exactly as the entry point received it.
  std::vector<std::string> arguments = RecordedBytes();
  std::vector<char*> vector;
  for (std::string& argument : arguments) vector.push_back(argument.data());
  vector.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, ToUtf8(program).c_str(), nullptr, nullptr, vector.data(), environ);
  if (failed != 0) return SystemError{static_cast<uint32_t>(failed)};
  return ChildProcess(std::make_shared<const Process>(Process{pid}));
}

ProcessPlace CurrentProcessPlace() {
  ProcessPlace place;
  std::string current(4096, '\0');
  if (::getcwd(current.data(), current.size()) != nullptr) place.workingFolder = FromUtf8(current.c_str());
  for (char** entry = environ; *entry != nullptr; ++entry) place.environment.push_back(FromUtf8(*entry));
  return place;
}

SystemResult<ChildProcess> ChildProcess::StartAgainIn(const WideString& program, const ProcessPlace& place) {
  const std::vector<std::string> arguments = RecordedBytes();
  std::vector<std::string> entries;
  for (const WideString& entry : place.environment) entries.push_back(ToUtf8(entry));
  std::vector<char*> environment;
  for (std::string& entry : entries) environment.push_back(entry.data());
  environment.push_back(nullptr);
  SpawnSetup setup;
  const std::string folder = ToUtf8(place.workingFolder);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(setup.actions(), folder.c_str());
  const SystemResult<pid_t> pid = setup.Spawn(ToUtf8(program), arguments, environment.data());
  if (!pid) return pid.error();
  return ChildProcess(std::make_shared<const Process>(Process{*pid}));
}

std::optional<int32_t> ChildProcess::WaitForExit() const {
  int status = 0;
  pid_t ended;
  do {
    ended = ::waitpid(process_->pid, &status, 0);
  } while (ended < 0 && errno == EINTR);
  if (ended != process_->pid) return std::nullopt;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return std::nullopt;
}

SystemStatus StartBackgroundCopy(const WideString& executable, const WideString& workingFolder,
                                 const WideString& variable, const WideString& value) {
  // The copy learns that this process has ended when the pipe's write end,
  // which only this process holds (close-on-exec), closes with it.
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return posix::LastError();
  const std::string folder = ToUtf8(workingFolder);
  SpawnSetup setup;
  setup.AddFlags(POSIX_SPAWN_SETSID);
  posix_spawn_file_actions_adddup2(setup.actions(), pipe[0], 0);
  posix_spawn_file_actions_addopen(setup.actions(), 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(setup.actions(), 1, 2);
  posix_spawn_file_actions_addclosefrom_np(setup.actions(), 3);
  posix_spawn_file_actions_addchdir_np(setup.actions(), folder.c_str());

  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  environment.push_back(ToUtf8(variable) + "=" + ToUtf8(value));
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  const std::string program = ToUtf8(executable);
  const SystemResult<pid_t> child = setup.Spawn(program, {program}, envp.data());
  ::close(pipe[0]);
  if (!child) {
    ::close(pipe[1]);
    return child.error();
  }
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(*child), BackgroundNiceness());
  return Done{};
}

bool WaitForStarterToEnd(uint32_t limitMilliseconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMilliseconds);
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    pollfd input{0, POLLIN, 0};
    const int ready = ::poll(&input, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    char byte;
    const ssize_t count = ::read(0, &byte, 1);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return true;  // end of file: every holder of the write end is gone
  }
}

SystemResult<std::optional<uint32_t>> RunProgramAndWait(const WideString& program, const WideStringList& arguments,
                                                        const WideString& outputFile, uint32_t limitMilliseconds) {
  const std::string output = ToUtf8(outputFile);
  SpawnSetup setup;
  posix_spawn_file_actions_addopen(setup.actions(), 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(setup.actions(), 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  posix_spawn_file_actions_adddup2(setup.actions(), 1, 2);
  posix_spawn_file_actions_addclosefrom_np(setup.actions(), 3);
  const std::string path = ToUtf8(program);
  std::vector<std::string> argv{path};
  for (const WideString& argument : arguments) argv.push_back(ToUtf8(argument));
  const SystemResult<pid_t> child = setup.Spawn(path, argv, environ);
  if (!child) return child.error();

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMilliseconds);
  int status = 0;
  for (;;) {
    const pid_t ended = ::waitpid(*child, &status, WNOHANG);
    if (ended == *child) break;
    if (ended < 0 && errno != EINTR) return posix::LastError();
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(*child, SIGKILL);
      ::waitpid(*child, &status, 0);
      return std::optional<uint32_t>();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!WIFEXITED(status)) return std::optional<uint32_t>();
  return std::optional<uint32_t>(WEXITSTATUS(status));
}

}  // namespace launcher::platform

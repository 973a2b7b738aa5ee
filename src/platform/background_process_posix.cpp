#include "platform/background_process.h"

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
#include <string>
#include <thread>
#include <vector>

#include "platform/text.h"

extern char** environ;

namespace platform {
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

  // The child's pid, or 0 when it could not be started.
  pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, char* const* environment) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawn(&pid, program.c_str(), &actions_, &attributes_, argv.data(), environment) == 0 ? pid : 0;
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
  short flags_ = 0;
};

}  // namespace

bool StartBackgroundCopy(const WideString& executable, const WideString& workingFolder, const WideString& variable,
                         const WideString& value) {
  // The copy learns that this process has ended when the pipe's write end,
  // which only this process holds (close-on-exec), closes with it.
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return false;
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
  const pid_t child = setup.Spawn(program, {program}, envp.data());
  ::close(pipe[0]);
  if (child == 0) {
    ::close(pipe[1]);
    return false;
  }
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(child), BackgroundNiceness());
  return true;
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

std::optional<uint32_t> RunProgramAndWait(const WideString& program, const WideStringList& arguments,
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
  const pid_t child = setup.Spawn(path, argv, environ);
  if (child == 0) return std::nullopt;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMilliseconds);
  int status = 0;
  for (;;) {
    const pid_t ended = ::waitpid(child, &status, WNOHANG);
    if (ended == child) break;
    if (ended < 0 && errno != EINTR) return std::nullopt;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!WIFEXITED(status)) return std::nullopt;
  return static_cast<uint32_t>(WEXITSTATUS(status));
}

}  // namespace platform

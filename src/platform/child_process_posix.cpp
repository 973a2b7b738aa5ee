#include "platform/child_process.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/process_command_line.h"
#include "platform/text.h"

extern char** environ;

namespace platform {
namespace {

class PosixChildProcess final : public ChildProcess {
 public:
  explicit PosixChildProcess(pid_t pid) : pid_(pid) {}

  std::optional<int32_t> WaitForExit() override {
    int status = 0;
    pid_t ended;
    do {
      ended = waitpid(pid_, &status, 0);
    } while (ended < 0 && errno == EINTR);
    if (ended != pid_) return std::nullopt;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return std::nullopt;
  }

 private:
  pid_t pid_;
};

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::StartWithOwnCommandLine(const WideString& program, uint32_t& error) {
  std::vector<std::string> arguments = RecordedArgumentBytes();
  std::vector<char*> vector;
  for (std::string& argument : arguments) vector.push_back(argument.data());
  vector.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, ToUtf8(program).c_str(), nullptr, nullptr, vector.data(), environ);
  if (failed != 0) {
    error = static_cast<uint32_t>(failed);
    return nullptr;
  }
  return std::make_unique<PosixChildProcess>(pid);
}

}  // namespace platform

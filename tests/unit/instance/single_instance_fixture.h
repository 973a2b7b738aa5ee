#pragma once

// Both single-instance roles in this one process, on the real system objects: a
// first instance whose forwarding opens to a handler that stands in for the
// JVM, and second instances on threads of their own.
#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <variant>
#include <vector>

#include "instance/single_instance.h"
#include "test_support.h"

namespace launcher::instance {

// A reply of its own for every list: the count and the total length.
inline int32_t ReplyFor(const WideStringList& arguments) {
  int32_t reply = static_cast<int32_t>(arguments.size()) * 100000;
  for (const WideString& argument : arguments) reply += static_cast<int32_t>(argument.size());
  return reply;
}

// Stands in for secondaryMain: records what arrives and replies at once.
struct RecordingHandler {
  std::mutex mutex;
  std::vector<WideStringList> received;

  RequestHandler Handler() {
    return [this](const WideStringList& arguments, const Reply& reply) {
      {
        std::lock_guard lock(mutex);
        received.push_back(arguments);
      }
      reply(ReplyFor(arguments));
    };
  }
};

class SingleInstanceTest : public testing::Test {
 protected:
  // The POSIX socket goes in a runtime folder of the test's own.
  SingleInstanceTest() : runtime_(L"XDG_RUNTIME_DIR", dir_.Path(L"run")) {}

  WideString Executable(const wchar_t* name = L"launcher.exe") const { return test::Join({dir_.Path(), name}); }

  std::unique_ptr<FirstInstance> ClaimFirst(const WideString& path) {
    InstanceRole role = SetUpSingleInstance(path);
    auto* first = std::get_if<std::unique_ptr<FirstInstance>>(&role);
    if (first == nullptr) return nullptr;
    return std::move(*first);
  }

  // A second instance's whole life, on a thread of its own: claims, hands off,
  // ends with the answer (or -1000 when it was not a second instance, -2000
  // when it was sent away to be a first instance itself).
  std::future<int32_t> StartSecond(const WideString& path, WideStringList arguments) {
    return std::async(std::launch::async, [path, arguments = std::move(arguments)] {
      InstanceRole role = SetUpSingleInstance(path);
      auto* second = std::get_if<std::unique_ptr<SecondInstance>>(&role);
      if (second == nullptr) return kNotSecond;
      const HandOffOutcome outcome = (*second)->HandOff(arguments, NoTrace());
      return outcome.end == HandOffOutcome::End::Answered ? outcome.exitCode : kSentAway;
    });
  }

  static constexpr int32_t kNotSecond = -1000;
  static constexpr int32_t kSentAway = -2000;

  test::TempDir dir_;
  test::ScopedEnvironment runtime_;
  RecordingHandler recorder_;
};

}  // namespace launcher::instance

#pragma once

#include <cstdint>
#include <functional>

#include <jni.h>

#include "platform/wide_string.h"

namespace launcher::jvm {

// A later start's arguments, passed to the running application through its
// main class's static secondaryMain(String[]), which returns void or int.

struct SecondaryCall {
  const WideString& mainClass;  // "/"-separated
  const WideStringList& arguments;
  // Tells the later start its answer; called at most once.
  std::function<void(int32_t)> reply;
  // The thread stays attached after the call (an IBM runtime needs that).
  bool stayAttached = false;
};

// On a thread of its own: attaches to the JVM and calls secondaryMain. The void
// form is answered 0 before it runs, the int form with what it returns. No
// answer when the thread cannot attach or the class, the method or the argument
// array cannot be had; an exception left pending is described.
void CallSecondaryMain(JavaVM* vm, const SecondaryCall& call);

}  // namespace launcher::jvm

#include "jvm/jvm_session.h"

#include <utility>
#include <vector>

#include "jvm/jvm_hooks.h"
#include "platform/text.h"

StringId JniFailureReason(jint result) {
  if (result < JNI_EINVAL || result > JNI_ERR) return StringId::kNone;
  return static_cast<StringId>(static_cast<int>(StringId::kReasonUnknown) - 1 - result);
}

namespace {

// The options exactly as the JVM gets them (their bytes shown as the JVM reads
// them), the hooks' with the address they carry marked.
void TraceOptions(Trace& trace, const std::vector<JavaVMOption>& options) {
  for (size_t i = 0; i < options.size(); ++i) {
    TraceLine(trace, "jvm-option")
        .Number("index", static_cast<int64_t>(i))
        .Text("text", platform::FromAnsi(options[i].optionString))
        .Word("extraInfo", options[i].extraInfo ? "hook" : "none")
        .Write();
  }
}

}  // namespace

Result<JvmSession> JvmSession::Create(const JvmLibrary& library, const JvmOptionList& options, Trace& trace) {
  std::vector<JavaVMOption> jvmOptions;
  jvmOptions.reserve(options.size() + 2);
  for (const std::string& option : options) jvmOptions.push_back({const_cast<char*>(option.c_str()), nullptr});
  jvmOptions.push_back({const_cast<char*>("abort"), reinterpret_cast<void*>(&AbortHook)});
  jvmOptions.push_back({const_cast<char*>("exit"), reinterpret_cast<void*>(&ExitHook)});
  TraceOptions(trace, jvmOptions);

  JavaVMInitArgs arguments{};
  arguments.version = JNI_VERSION_1_2;
  arguments.nOptions = static_cast<jint>(jvmOptions.size());
  arguments.options = jvmOptions.data();
  arguments.ignoreUnrecognized = JNI_FALSE;

  JavaVM* vm = nullptr;
  JNIEnv* env = nullptr;
  const jint result = library.CreateJavaVm(&vm, &env, &arguments);
  TraceLine(trace, "jvm-created").Number("result", result).Write();
  if (result != JNI_OK) {
    return LaunchError{StringId::kJniException, {StringId::kJvmCreationFailed, JniFailureReason(result)}};
  }
  return JvmSession(vm, env);
}

JvmSession::JvmSession(JvmSession&& other) noexcept
    : vm_(std::exchange(other.vm_, nullptr)), env_(std::exchange(other.env_, nullptr)) {}

JvmSession::~JvmSession() {
  if (vm_ != nullptr) vm_->DestroyJavaVM();
}

jint ThreadAttachment::Detach() {
  if (detached_) return JNI_OK;
  detached_ = true;
  return vm_->DetachCurrentThread();
}

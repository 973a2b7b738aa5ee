#include "jvm/jvm_session.h"

#include <optional>
#include <utility>
#include <vector>

#include "jvm/jvm_hooks.h"
#include "jvm/local_ref.h"
#include "platform/text.h"

namespace launcher::jvm {

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

// The JNI methods that find and wait for the application's threads.
struct ThreadMethods {
  jclass threadClass;
  jmethodID allStackTraces = nullptr;
  jmethodID currentThread = nullptr;
  jmethodID keySet = nullptr;
  jmethodID toArray = nullptr;
  jmethodID isAlive = nullptr;
  jmethodID isDaemon = nullptr;
  jmethodID join = nullptr;
};

// Each lookup is made only while none has failed: JNI allows no call with an
// exception pending.
std::optional<ThreadMethods> LookUpThreadMethods(JNIEnv* env, jclass threadClass) {
  ThreadMethods methods{.threadClass = threadClass};
  methods.allStackTraces = env->GetStaticMethodID(threadClass, "getAllStackTraces", "()Ljava/util/Map;");
  if (methods.allStackTraces == nullptr) return std::nullopt;
  methods.currentThread = env->GetStaticMethodID(threadClass, "currentThread", "()Ljava/lang/Thread;");
  LocalRef<jclass> map(env, methods.currentThread ? env->FindClass("java/util/Map") : nullptr);
  if (map) methods.keySet = env->GetMethodID(map.get(), "keySet", "()Ljava/util/Set;");
  LocalRef<jclass> collection(env, methods.keySet ? env->FindClass("java/util/Collection") : nullptr);
  if (collection) methods.toArray = env->GetMethodID(collection.get(), "toArray", "()[Ljava/lang/Object;");
  if (methods.toArray) methods.isAlive = env->GetMethodID(threadClass, "isAlive", "()Z");
  if (methods.isAlive) methods.isDaemon = env->GetMethodID(threadClass, "isDaemon", "()Z");
  if (methods.isDaemon) methods.join = env->GetMethodID(threadClass, "join", "()V");
  if (methods.join == nullptr) return std::nullopt;
  return methods;
}

// The JVM's threads, or null when it cannot list them.
LocalRef<jobjectArray> ListThreads(JNIEnv* env, const ThreadMethods& methods) {
  LocalRef<jobject> traces(env, env->CallStaticObjectMethod(methods.threadClass, methods.allStackTraces));
  if (!traces) return {env, nullptr};
  LocalRef<jobject> threads(env, env->CallObjectMethod(traces.get(), methods.keySet));
  if (!threads) return {env, nullptr};
  return {env, static_cast<jobjectArray>(env->CallObjectMethod(threads.get(), methods.toArray))};
}

// Whether a round joined a thread, so that those it started are looked for in
// another.
enum class Round { JoinedSome, FoundNone };

// Joins every live non-daemon thread but the caller.
Round JoinApplicationThreads(JNIEnv* env, const ThreadMethods& methods, jobject caller) {
  LocalRef<jobjectArray> threads = ListThreads(env, methods);
  if (!threads) return Round::FoundNone;
  Round round = Round::FoundNone;
  const jsize count = env->GetArrayLength(threads.get());
  for (jsize i = 0; i < count; ++i) {
    LocalRef<jobject> thread(env, env->GetObjectArrayElement(threads.get(), i));
    const bool waited = thread && !env->IsSameObject(thread.get(), caller) &&
                        env->CallBooleanMethod(thread.get(), methods.isAlive) &&
                        !env->CallBooleanMethod(thread.get(), methods.isDaemon) && !env->ExceptionCheck();
    if (!waited) {
      env->ExceptionClear();
      continue;
    }
    env->CallVoidMethod(thread.get(), methods.join);
    // An interrupted join is looked at again in the next round.
    env->ExceptionClear();
    round = Round::JoinedSome;
  }
  return round;
}

}  // namespace

void JvmSession::WaitForApplicationThreads() const {
  JNIEnv* env = nullptr;
  if (vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return;
  const ThreadAttachment attachment(vm_);
  LocalRef<jclass> threadClass(env, env->FindClass("java/lang/Thread"));
  const std::optional<ThreadMethods> methods = threadClass ? LookUpThreadMethods(env, threadClass.get()) : std::nullopt;
  if (methods) {
    LocalRef<jobject> caller(env, env->CallStaticObjectMethod(threadClass.get(), methods->currentThread));
    Round round = Round::JoinedSome;
    while (caller && round == Round::JoinedSome) round = JoinApplicationThreads(env, *methods, caller.get());
  }
  // What could not be looked up or listed is no failure of the application's.
  env->ExceptionClear();
}

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

}  // namespace launcher::jvm

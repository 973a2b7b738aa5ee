#include "jvm/secondary_main.h"

#include "jvm/java_strings.h"
#include "jvm/local_ref.h"

namespace launcher::jvm {

namespace {

constexpr const char* kVoidForm = "([Ljava/lang/String;)V";
constexpr const char* kIntForm = "([Ljava/lang/String;)I";

// secondaryMain in its void form, else its int form. The first lookup's failure
// is cleared for the second; that of the second stays, to be described.
jmethodID FindSecondaryMain(JNIEnv* env, jclass type, bool& returnsInt) {
  jmethodID method = env->GetStaticMethodID(type, "secondaryMain", kVoidForm);
  returnsInt = method == nullptr;
  if (method != nullptr) return method;
  if (env->ExceptionCheck()) env->ExceptionClear();
  return env->GetStaticMethodID(type, "secondaryMain", kIntForm);
}

void Call(JNIEnv* env, const SecondaryCall& call) {
  ClassLookupStep failed{};
  LocalRef<jclass> type(env, FindClassByName(env, call.mainClass, failed));
  if (!type) return;
  bool returnsInt = false;
  jmethodID method = FindSecondaryMain(env, type.get(), returnsInt);
  if (method == nullptr) return;
  LocalRef<jobjectArray> arguments(env, NewJavaStringArray(call.arguments, env));
  if (!arguments) return;
  if (returnsInt) {
    const jint value = env->CallStaticIntMethod(type.get(), method, arguments.get());
    call.reply(static_cast<int32_t>(value));
  } else {
    // The later start is answered at once: the application may take its time.
    call.reply(0);
    env->CallStaticVoidMethod(type.get(), method, arguments.get());
  }
}

}  // namespace

void CallSecondaryMain(JavaVM* vm, const SecondaryCall& call) {
  JNIEnv* env = nullptr;
  if (vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return;
  Call(env, call);
  if (env->ExceptionCheck()) env->ExceptionDescribe();
  if (!call.stayAttached) vm->DetachCurrentThread();
}

}  // namespace launcher::jvm

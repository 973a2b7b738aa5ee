#include "jvm/exception_text.h"

#include <string_view>

#include "jvm/local_ref.h"
#include "platform/unicode.h"

namespace {

jobject Construct(JNIEnv* env, const char* className, const char* signature, jobject argument = nullptr) {
  LocalRef<jclass> type(env, env->FindClass(className));
  if (!type) return nullptr;
  jmethodID constructor = env->GetMethodID(type.get(), "<init>", signature);
  if (constructor == nullptr) return nullptr;
  return argument == nullptr ? env->NewObject(type.get(), constructor)
                             : env->NewObject(type.get(), constructor, argument);
}

// buffer.toString(): the bytes printed into it, decoded by the runtime.
jstring BufferText(JNIEnv* env, jobject buffer) {
  jmethodID toString = nullptr;
  {
    LocalRef<jclass> type(env, env->GetObjectClass(buffer));
    if (!type) return nullptr;
    toString = env->GetMethodID(type.get(), "toString", "()Ljava/lang/String;");
  }
  if (toString == nullptr) return nullptr;
  jobject text = env->CallObjectMethod(buffer, toString);
  if (env->ExceptionCheck()) env->ExceptionDescribe();
  return static_cast<jstring>(text);
}

// The string's UTF-16 units as they are: no character of the trace is lost.
WideString ToWide(JNIEnv* env, jstring text) {
  const jsize length = env->GetStringLength(text);
  const jchar* units = env->GetStringChars(text, nullptr);
  if (units == nullptr) return {};
  WideString wide =
      platform::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(units), static_cast<size_t>(length)));
  env->ReleaseStringChars(text, units);
  return wide;
}

// throwable.printStackTrace(printer); false when the method cannot be found.
bool PrintStackTrace(JNIEnv* env, jthrowable throwable, jobject printer) {
  jmethodID printStackTrace = nullptr;
  {
    LocalRef<jclass> type(env, env->GetObjectClass(throwable));
    if (!type) return false;
    printStackTrace = env->GetMethodID(type.get(), "printStackTrace", "(Ljava/io/PrintStream;)V");
  }
  if (printStackTrace == nullptr) return false;
  env->CallVoidMethod(throwable, printStackTrace, printer);
  if (env->ExceptionCheck()) env->ExceptionDescribe();
  return true;
}

}  // namespace

WideString DescribeException(jthrowable throwable, JNIEnv* env) {
  LocalRef<> buffer(env, Construct(env, "java/io/ByteArrayOutputStream", "()V"));
  if (!buffer) return {};
  LocalRef<> printer(env, Construct(env, "java/io/PrintStream", "(Ljava/io/OutputStream;)V", buffer.get()));
  if (!printer || !PrintStackTrace(env, throwable, printer.get())) return {};
  LocalRef<jstring> trace(env, BufferText(env, buffer.get()));
  return trace ? ToWide(env, trace.get()) : WideString();
}

#include "jvm/exception_text.h"

#include <string_view>

#include "jvm/local_ref.h"
#include "platform/text.h"

namespace launcher::jvm {

namespace {

jobject Construct(JNIEnv* env, const char* className, const char* signature, jobject argument = nullptr) {
  LocalRef<jclass> type(env, env->FindClass(className));
  if (!type) return nullptr;
  jmethodID constructor = env->GetMethodID(type.get(), "<init>", signature);
  if (constructor == nullptr) return nullptr;
  return argument == nullptr ? env->NewObject(type.get(), constructor)
                             : env->NewObject(type.get(), constructor, argument);
}

// writer.toString(): the text printed into it.
jstring WriterText(JNIEnv* env, jobject writer) {
  jmethodID toString = nullptr;
  {
    LocalRef<jclass> type(env, env->GetObjectClass(writer));
    if (!type) return nullptr;
    toString = env->GetMethodID(type.get(), "toString", "()Ljava/lang/String;");
  }
  if (toString == nullptr) return nullptr;
  jobject text = env->CallObjectMethod(writer, toString);
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
    printStackTrace = env->GetMethodID(type.get(), "printStackTrace", "(Ljava/io/PrintWriter;)V");
  }
  if (printStackTrace == nullptr) return false;
  env->CallVoidMethod(throwable, printStackTrace, printer);
  if (env->ExceptionCheck()) env->ExceptionDescribe();
  return true;
}

}  // namespace

// Printed into a StringWriter the trace stays text: printed into a byte stream
// it would pass through the runtime's default charset, which on many systems
// cannot hold every character of it.
WideString DescribeException(jthrowable throwable, JNIEnv* env) {
  LocalRef<> writer(env, Construct(env, "java/io/StringWriter", "()V"));
  if (!writer) return {};
  LocalRef<> printer(env, Construct(env, "java/io/PrintWriter", "(Ljava/io/Writer;)V", writer.get()));
  if (!printer || !PrintStackTrace(env, throwable, printer.get())) return {};
  LocalRef<jstring> trace(env, WriterText(env, writer.get()));
  return trace ? ToWide(env, trace.get()) : WideString();
}

}  // namespace launcher::jvm

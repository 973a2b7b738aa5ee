#include "jvm/exception_text.h"

#include <string_view>

#include "platform/unicode.h"

namespace {

jobject Construct(JNIEnv* env, const char* className, const char* signature, jobject argument = nullptr) {
  jclass type = env->FindClass(className);
  if (type == nullptr) return nullptr;
  jmethodID constructor = env->GetMethodID(type, "<init>", signature);
  jobject object = constructor == nullptr ? nullptr
                   : argument == nullptr  ? env->NewObject(type, constructor)
                                          : env->NewObject(type, constructor, argument);
  env->DeleteLocalRef(type);
  return object;
}

// buffer.toString(): the bytes printed into it, decoded by the runtime.
jstring BufferText(JNIEnv* env, jobject buffer) {
  jclass type = env->GetObjectClass(buffer);
  if (type == nullptr) return nullptr;
  jmethodID toString = env->GetMethodID(type, "toString", "()Ljava/lang/String;");
  env->DeleteLocalRef(type);
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
  WideString wide = platform::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(units),
                                                             static_cast<size_t>(length)));
  env->ReleaseStringChars(text, units);
  return wide;
}

}  // namespace

WideString DescribeException(jthrowable throwable, JNIEnv* env) {
  jobject buffer = Construct(env, "java/io/ByteArrayOutputStream", "()V");
  if (buffer == nullptr) return {};
  jobject printer = Construct(env, "java/io/PrintStream", "(Ljava/io/OutputStream;)V", buffer);
  WideString description;
  if (printer != nullptr) {
    jclass type = env->GetObjectClass(throwable);
    jmethodID printStackTrace = type ? env->GetMethodID(type, "printStackTrace", "(Ljava/io/PrintStream;)V") : nullptr;
    if (type != nullptr) env->DeleteLocalRef(type);
    if (printStackTrace != nullptr) {
      env->CallVoidMethod(throwable, printStackTrace, printer);
      if (env->ExceptionCheck()) env->ExceptionDescribe();
      jstring trace = BufferText(env, buffer);
      if (trace != nullptr) {
        description = ToWide(env, trace);
        env->DeleteLocalRef(trace);
      }
    }
    env->DeleteLocalRef(printer);
  }
  env->DeleteLocalRef(buffer);
  return description;
}

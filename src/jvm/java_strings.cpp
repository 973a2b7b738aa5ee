#include "jvm/java_strings.h"

#include <string>

#include "platform/unicode.h"

jstring NewJavaString(const WideString& text, JNIEnv* env) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) return nullptr;
  jmethodID constructor = env->GetMethodID(stringClass, "<init>", "([C)V");
  const std::u16string units = platform::ToUtf16(text);
  jcharArray chars = constructor ? env->NewCharArray(static_cast<jsize>(units.size())) : nullptr;
  jstring result = nullptr;
  if (chars != nullptr) {
    env->SetCharArrayRegion(chars, 0, static_cast<jsize>(units.size()), reinterpret_cast<const jchar*>(units.data()));
    if (env->ExceptionOccurred() == nullptr) {
      result = static_cast<jstring>(env->NewObject(stringClass, constructor, chars));
    }
    env->DeleteLocalRef(chars);
  }
  env->DeleteLocalRef(stringClass);
  return result;
}

jobjectArray NewJavaStringArray(const WideStringList& texts, JNIEnv* env) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) return nullptr;
  jobjectArray array = env->NewObjectArray(static_cast<jsize>(texts.size()), stringClass, nullptr);
  env->DeleteLocalRef(stringClass);
  if (array == nullptr) return nullptr;
  for (size_t i = 0; i < texts.size(); ++i) {
    jstring text = NewJavaString(texts[i], env);
    if (text == nullptr) return nullptr;
    env->SetObjectArrayElement(array, static_cast<jsize>(i), text);
    env->DeleteLocalRef(text);
  }
  return array;
}

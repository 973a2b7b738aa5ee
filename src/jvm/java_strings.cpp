#include "jvm/java_strings.h"

#include <string>

#include "jvm/local_ref.h"
#include "platform/text.h"

namespace launcher::jvm {

jstring NewJavaString(const WideString& text, JNIEnv* env) {
  LocalRef<jclass> stringClass(env, env->FindClass("java/lang/String"));
  if (!stringClass) return nullptr;
  jmethodID constructor = env->GetMethodID(stringClass.get(), "<init>", "([C)V");
  if (constructor == nullptr) return nullptr;
  const std::u16string units = platform::ToUtf16(text);
  LocalRef<jcharArray> chars(env, env->NewCharArray(static_cast<jsize>(units.size())));
  if (!chars) return nullptr;
  env->SetCharArrayRegion(chars.get(), 0, static_cast<jsize>(units.size()),
                          reinterpret_cast<const jchar*>(units.data()));
  // ExceptionCheck: ExceptionOccurred would hand out a reference of its own to release.
  if (env->ExceptionCheck()) return nullptr;
  return static_cast<jstring>(env->NewObject(stringClass.get(), constructor, chars.get()));
}

jobjectArray NewJavaStringArray(const WideStringList& texts, JNIEnv* env) {
  jobjectArray array = nullptr;
  {
    LocalRef<jclass> stringClass(env, env->FindClass("java/lang/String"));
    if (!stringClass) return nullptr;
    array = env->NewObjectArray(static_cast<jsize>(texts.size()), stringClass.get(), nullptr);
  }
  LocalRef<jobjectArray> owned(env, array);
  if (!owned) return nullptr;
  for (size_t i = 0; i < texts.size(); ++i) {
    LocalRef<jstring> text(env, NewJavaString(texts[i], env));
    if (!text) return nullptr;
    env->SetObjectArrayElement(owned.get(), static_cast<jsize>(i), text.get());
  }
  return owned.release();
}

jclass FindClassByName(JNIEnv* env, const WideString& name, ClassLookupStep& failed) {
  LocalRef<jstring> text(env, NewJavaString(name, env));
  failed = ClassLookupStep::Name;
  if (!text) return nullptr;
  const char* bytes = env->GetStringUTFChars(text.get(), nullptr);
  failed = ClassLookupStep::Bytes;
  if (bytes == nullptr) return nullptr;
  jclass found = env->FindClass(bytes);
  env->ReleaseStringUTFChars(text.get(), bytes);
  failed = ClassLookupStep::Class;
  return found;
}

}  // namespace launcher::jvm

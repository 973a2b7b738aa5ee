#include "jvm/output_redirection.h"

#include "jvm/java_strings.h"
#include "jvm/local_ref.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace launcher::jvm {

namespace {

jobject NewFileStream(JNIEnv* env, const WideString& fileName, bool append) {
  LocalRef<jstring> name(env, NewJavaString(fileName, env));
  if (name.get() == nullptr) return nullptr;
  LocalRef<jclass> type(env, env->FindClass("java/io/FileOutputStream"));
  if (type.get() == nullptr) return nullptr;
  jmethodID constructor = env->GetMethodID(type.get(), "<init>", "(Ljava/lang/String;Z)V");
  if (constructor == nullptr) return nullptr;
  return env->NewObject(type.get(), constructor, name.get(), append ? JNI_TRUE : JNI_FALSE);
}

jobject NewPrintStream(JNIEnv* env, jobject output) {
  LocalRef<jclass> type(env, env->FindClass("java/io/PrintStream"));
  if (type.get() == nullptr) return nullptr;
  jmethodID constructor = env->GetMethodID(type.get(), "<init>", "(Ljava/io/OutputStream;)V");
  if (constructor == nullptr) return nullptr;
  return env->NewObject(type.get(), constructor, output);
}

}  // namespace

void ExpandTimePlaceholders(WideString& fileName, const platform::LocalTime& time) {
  const size_t first = fileName.find(L'%');
  if (first == WideString::npos) return;
  const size_t last = fileName.rfind(L'%');
  WideString pattern = fileName.substr(first + 1, last > first ? last - first - 1 : 0);
  const WideString milliseconds = std::to_wstring(time.milliseconds);
  for (size_t at = pattern.find(L'L'); at != WideString::npos; at = pattern.find(L'L', at + milliseconds.size())) {
    pattern.replace(at, 1, milliseconds);
  }
  const WideString formatted = platform::FormatDatePicture(platform::FormatTimePicture(pattern, time), time);
  fileName = fileName.substr(0, first) + formatted + fileName.substr(last + 1);
}

platform::SystemStatus CreateParentFolders(const WideString& path) {
  if (platform::IsAbsolutePath(path) && platform::FileExists(path)) return platform::Done{};
  const WideStringList components = platform::PathComponents(path);
  const bool network = platform::IsNetworkPath(path);
  // The first folder of a relative path is made too; a drive, server or root never.
  const bool relative = !platform::IsAbsolutePath(path) && !components.front().empty();
  WideString folder = components[0];
  WideStringList made;
  platform::SystemStatus last = platform::Done{};
  for (size_t i = relative ? 0 : 1; i + 1 < components.size(); ++i) {
    if (i > 0) folder += platform::kPathSeparator + components[i];
    const platform::SystemResult<platform::FolderCreation> creation = platform::MakeFolder(folder);
    last = creation ? platform::SystemStatus(platform::Done{}) : platform::SystemStatus(creation.error());
    if (creation && *creation == platform::FolderCreation::Made) made.push_back(folder);
    if (creation || network) continue;
    // A folder that cannot be made: the empty ones this call made go again.
    for (auto it = made.rbegin(); it != made.rend(); ++it) platform::RemoveEmptyFolder(*it);
    break;
  }
  return last;
}

bool RedirectStream(JNIEnv* env, const WideString& fileName, bool append, JavaStream stream) {
  // A folder that cannot be made shows as the stream's own failure to open,
  // which the JVM describes.
  CreateParentFolders(fileName);
  LocalRef<> file(env, NewFileStream(env, fileName, append));
  if (file.get() == nullptr) return false;
  LocalRef<> print(env, NewPrintStream(env, file.get()));
  if (print.get() == nullptr) return false;
  LocalRef<jclass> system(env, env->FindClass("java/lang/System"));
  if (system.get() == nullptr) return false;
  jmethodID setter = env->GetStaticMethodID(system.get(), stream == JavaStream::Output ? "setOut" : "setErr",
                                            "(Ljava/io/PrintStream;)V");
  if (setter == nullptr) return false;
  env->CallStaticVoidMethod(system.get(), setter, print.get());
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
    return false;
  }
  return true;
}

void SetUpStandardStreams(JNIEnv* env, settings::StreamSetting output, settings::StreamSetting error) {
  if (output.file.find(L'%') != WideString::npos || error.file.find(L'%') != WideString::npos) {
    const platform::LocalTime now = platform::CurrentLocalTime();
    ExpandTimePlaceholders(output.file, now);
    ExpandTimePlaceholders(error.file, now);
  }
  if (!output.file.empty() && !RedirectStream(env, output.file, output.append, JavaStream::Output) &&
      env->ExceptionCheck()) {
    env->ExceptionDescribe();
  }
  if (!error.file.empty() && !RedirectStream(env, error.file, error.append, JavaStream::Error) &&
      env->ExceptionCheck()) {
    env->ExceptionDescribe();
  }
}

}  // namespace launcher::jvm

#pragma once

#include <utility>

#include <jni.h>

namespace launcher::jvm {

// Owns one JNI local reference and deletes it when the scope ends, so that no
// path out of a function leaks one.
template <typename T = jobject>
class LocalRef {
 public:
  LocalRef(JNIEnv* env, T object) : env_(env), object_(object) {}
  ~LocalRef() {
    if (object_ != nullptr) env_->DeleteLocalRef(object_);
  }
  LocalRef(const LocalRef&) = delete;
  LocalRef& operator=(const LocalRef&) = delete;

  T get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Gives the reference to the caller, who then deletes it.
  T release() { return std::exchange(object_, nullptr); }

 private:
  JNIEnv* env_;
  T object_;
};

}  // namespace launcher::jvm

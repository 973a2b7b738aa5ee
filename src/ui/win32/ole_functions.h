#pragma once

#include "platform/windows_api.h"

#include <objbase.h>
#include <olectl.h>

namespace launcher::ui::win32 {

// The COM and OLE functions that the splash picture needs, taken from the
// system's libraries on first use: a start without a splash never loads them.
struct OleFunctions {
  decltype(&::CoInitializeEx) coInitializeEx;
  decltype(&::CoUninitialize) coUninitialize;
  decltype(&::CoCreateInstance) coCreateInstance;
  decltype(&::CreateStreamOnHGlobal) createStreamOnHGlobal;
  decltype(&::OleLoadPicture) oleLoadPicture;
};

// The functions, or null when a library or one of them is missing.
const OleFunctions* LoadOleFunctions();

// COM on the calling thread, in a single-threaded apartment, for as long as
// the object lives (when it could be started).
class ComApartment {
 public:
  explicit ComApartment(const OleFunctions& ole);
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  const OleFunctions& ole_;
  bool started_;
};

}  // namespace launcher::ui::win32

#pragma once

#include "platform/wide_string.h"
#include "settings/builtin_settings.h"

// Reads values of one INI file as GetPrivateProfileStringW does, whole whatever
// their length; a missing file, section or key gives "", and so does every key
// of a file that is not to be read.
struct PlainReader {
  WideString path;
  bool readable = true;

  WideString ReadPlain(const WideString& section, const WideString& key) const;
};

// Reads values over two layers: the built-in settings, replaced by a non-empty
// value of the file; failing that, the file's "<section>+" value is appended to
// the built-in one after a space.
struct LayeredReader {
  WideString path;
  BuiltinSettings builtin;
  bool readable = true;  // false: only the built-in layer

  WideString ReadLayered(const WideString& section, const WideString& key) const;
};

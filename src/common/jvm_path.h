#pragma once

#include "common/launch_error.h"
#include "common/trace.h"
#include "platform/expected.h"
#include "platform/wide_string.h"

namespace launcher {

// A path that the launcher hands to the JVM in 8-bit text (an option, the
// splash library's picture) must reach it naming the same file. The 8-bit text
// is the system's ANSI code page on Windows, which lacks most of the world's
// characters: a folder named "Über App 日本 Ω" would arrive with "?" in place of
// what it lacks and name nothing. Such a path goes in its short (8.3) form,
// which is written in the code page's characters and names the same file.

// How a path asks the file system for its short form (platform::ShortPathForm,
// or a test's fake of a volume without short names).
using ShortPathSource = platform::SystemResult<WideString> (*)(const WideString& path);

enum class JvmPathForm {
  AsWritten,     // the code page writes it as it is
  ShortName,     // its short form, which the code page writes
  NamesNothing,  // the code page cannot write it and it names no file: the JVM could not open it either
};

struct JvmPath {
  WideString path;  // what to convert to 8-bit text; the path as given when it names nothing
  JvmPathForm form = JvmPathForm::AsWritten;
};

// The form of a path that its 8-bit text can carry. A path that names a file
// but has no such form (the volume keeps no short names) fails with message
// 255, which names the first folder (or the file) whose name the code page
// cannot write, with the system's error when the file system was not asked
// successfully. A path not written as it is goes to the trace, with its form.
Result<JvmPath> JvmPathOf(const WideString& path, ShortPathSource shortPath, Trace& trace);

// The leading part of a path up to its first component that the code page
// cannot write ("C:\apps\Über App\lib\a.jar" gives "C:\apps\Über App"); the
// whole path when every component can be written.
WideString FirstUnwritablePart(const WideString& path);

// Whether the 8-bit text of the code page gives the text back unchanged.
bool CodePageWrites(const WideString& text);

}  // namespace launcher

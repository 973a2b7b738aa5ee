#include "common/jvm_path.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace launcher {

namespace {

const char* FormName(JvmPathForm form) {
  switch (form) {
    case JvmPathForm::AsWritten:
      return "as-written";
    case JvmPathForm::ShortName:
      return "short-name";
    case JvmPathForm::NamesNothing:
      return "names-nothing";
  }
  return "";
}

void TraceCarried(Trace& trace, const WideString& path, const JvmPath& carried) {
  TraceLine(trace, "jvm-path")
      .Text("path", path)
      .Word("form", FormName(carried.form))
      .Text("given", carried.path)
      .Write();
}

}  // namespace

bool CodePageWrites(const WideString& text) { return platform::FromAnsi(platform::ToAnsi(text)) == text; }

WideString FirstUnwritablePart(const WideString& path) {
  for (size_t end = 0; end < path.size();) {
    size_t next = end;
    while (next < path.size() && !platform::IsPathSeparator(path[next])) ++next;
    if (!CodePageWrites(path.substr(end, next - end))) return path.substr(0, next);
    end = next + 1;
  }
  return path;
}

Result<JvmPath> JvmPathOf(const WideString& path, ShortPathSource shortPath, Trace& trace) {
  if (CodePageWrites(path)) return JvmPath{path, JvmPathForm::AsWritten};
  const platform::SystemResult<WideString> shortForm = shortPath(path);
  JvmPath carried{path, JvmPathForm::NamesNothing};
  if (shortForm && CodePageWrites(*shortForm)) {
    carried = {*shortForm, JvmPathForm::ShortName};
  } else if (shortForm || !platform::IsNotFound(shortForm.error())) {
    const uint32_t error = shortForm ? 0 : shortForm.error().code;
    TraceLine(trace, "jvm-path")
        .Text("path", path)
        .Word("form", "none")
        .Number("error", error)
        .Sentence("the code page cannot write it and the volume gives no short name")
        .Write();
    return LaunchError{StringId::kPathNotCarried, {FirstUnwritablePart(path)}, error};
  }
  TraceCarried(trace, path, carried);
  return carried;
}

}  // namespace launcher

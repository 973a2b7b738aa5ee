#include "platform/paths.h"

namespace launcher::platform {

const wchar_t kPathSeparator = L'/';
const wchar_t* const kPathSeparators = L"/";
const wchar_t kPathListSeparator = L':';
const wchar_t* const kSearchPathVariable = L"PATH";
const bool kExtensionlessExecutableHasSettings = true;

bool IsPathSeparator(wchar_t c) { return c == L'/'; }

bool IsAbsolutePath(const WideString& path) { return !path.empty() && path[0] == L'/'; }

}  // namespace launcher::platform

#pragma once

#include <string_view>

#include "common/trace.h"
#include "platform/wide_string.h"

namespace launcher::settings {

// JVM options that a user sets without administrator rights: a file in the
// per-user folder, named like the executable with ".options", one option a
// line. The publisher decides how much of it counts ("User Options").
enum class UserOptionsPolicy {
  All,     // every option of the file
  Memory,  // only the heap, stack and RAM-share options
  Off,     // the file is not read
};

// "User Options": "all", "memory" or "off", letters in any case; absent,
// empty or anything else is the default, Memory.
UserOptionsPolicy ParseUserOptionsPolicy(const WideString& value);

// A line of the file that was not taken, and why.
struct DroppedUserOption {
  WideString option;
  const char* reason;
};

struct UserOptions {
  WideStringList kept;  // in the file's order
  std::vector<DroppedUserOption> dropped;
};

// The options of a file's bytes (UTF-8, a byte order mark allowed): each
// line trimmed of blanks; blank lines and lines starting with "#" are skipped;
// a line that is no option (it does not start with "-") is dropped, as is,
// with Memory, every option but -Xmx, -Xms, -Xss, -XX:MaxRAMPercentage,
// -XX:InitialRAMPercentage and -XX:MaxRAM.
UserOptions ParseUserOptions(std::string_view bytes, UserOptionsPolicy policy);

// The largest options file read; a larger one is ignored as a whole.
inline constexpr size_t kLargestUserOptionsFileBytes = 64 * 1024;

// The options file beside a per-user settings file (".ini" becomes ".options").
WideString UserOptionsPathBeside(const WideString& perUserSettingsPath);

// Reads the file at path under the policy, and says in the trace what was
// read, taken and dropped. A file that is missing, unreadable or too large
// gives no options.
WideStringList ReadUserOptions(const WideString& path, UserOptionsPolicy policy, Trace& trace);

}  // namespace launcher::settings

#include "platform/process_command_line.h"

#include "platform/windows_api.h"

namespace platform {

ProcessCommandLine QueryCommandLine() { return {WideString(::GetCommandLineW()), {}}; }

}  // namespace platform

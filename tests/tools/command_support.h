#pragma once

#include <optional>
#include <string>

#include "dialog_controls.h"
#include "dialog_windows.h"
#include "driver_options.h"

namespace ui_driver {

enum ExitCode : int { kDone = 0, kNotInTime = 1, kUsageError = 2, kActionFailed = 3 };

// Reports the reason on standard error and returns the code.
int Fail(ExitCode code, const std::wstring& reason);

int NoDialog(const Options& options);
int NoWindowOfClass(const Options& options);

// The control a user could operate, or the reason there is none (the dialog's
// listing then goes to standard error).
std::optional<Control> UsableControl(const DialogWindow& dialog, int id, std::wstring& reason);

}  // namespace ui_driver

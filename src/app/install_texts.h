#pragma once

#include <cstdint>

#include "platform/wide_string.h"
#include "runtime_install/install_failure.h"
#include "runtime_install/install_pipeline.h"
#include "settings/launcher_settings.h"
#include "ui/user_interface.h"

namespace launcher::app {

// What the user reads while the pinned runtime is installed, and when that
// fails: every text from the string table, filled with the install's figures.

// "Runtime Name", or the generic name when the publisher gave none.
WideString RuntimeNameOf(const settings::RuntimeDownloadSettings& download);

// "12.3 MB": a byte count in the largest unit that keeps it at 1 or more.
WideString FormatByteCount(uint64_t bytes);

// The progress window's lines for a moment of the install.
ui::ProgressState ProgressOf(const runtime_install::InstallProgress& progress, const WideString& runtimeName);

// The words of a failed install, with what a help desk needs; "" for a
// cancel, which the user asked for.
WideString FailureMessage(const runtime_install::InstallFailure& failure, const WideString& runtimeName);

}  // namespace launcher::app

#pragma once

#include <optional>

#include "launcher/settings_readers.h"
#include "platform/wide_string.h"

class Launcher;

// A layered reader over the executable's built-in settings and a settings file.
LayeredReader MakeLayeredReader(const Launcher& launcher, const WideString& settingsPath);

// Whether the per-user settings file is used: an NT-family system outside service mode.
bool PerUserSettingsApply(const Launcher& launcher);

// The per-user settings file of an executable (the launcher's or the pair product's).
WideString PerUserSettingsPathOf(const Launcher& launcher, const WideString& executablePath, bool createFolders);

// Reads every setting that Initialize needs into the launcher. False when there
// is no settings path or "Main Class" is missing (message 210).
bool ReadSettings(Launcher& launcher);

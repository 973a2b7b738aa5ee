#pragma once

#include <optional>

#include "platform/wide_string.h"

// Where the settings files lie.

// The settings file of an executable: its path with the extension of its file
// name replaced by "ini" (tool.beta.exe: tool.beta.ini). A file name without "."
// has none on Windows; on POSIX it gets ".ini" appended.
std::optional<WideString> SettingsPathFor(const WideString& executablePath);

// The product name as a folder name: without \ ? " | > < : / *.
WideString ProductFolderName(const WideString& productName);

// The per-user settings file of an executable: the user's configuration folder,
// the product name folder, the product code folder and the executable's file
// name with its extension replaced by "ini". With createFolders the configuration
// folder and the two product folders are created (failures are ignored: they may exist).
WideString PerUserSettingsPath(const WideString& configurationFolder, const WideString& productName,
                               const WideString& productCode, const WideString& executablePath,
                               bool createFolders);

#pragma once

#include "platform/wide_string.h"

namespace launcher::settings {

// Where the per-user settings files lie.

// The product name as a folder name: without \ ? " | > < : / *.
WideString ProductFolderName(const WideString& productName);

// The per-user settings file of an executable: the user's configuration folder,
// the product name folder, the product code folder and the executable's file
// name with its extension replaced by "ini". With createFolders the configuration
// folder and the two product folders are created (failures are ignored: they may exist).
WideString PerUserSettingsPath(const WideString& configurationFolder, const WideString& productName,
                               const WideString& productCode, const WideString& executablePath, bool createFolders);

struct ProductSettings;

// Whether the per-user settings file is used: an NT-family system outside service mode.
bool PerUserSettingsApply(const ProductSettings& product);

// The per-user settings file of an executable (the launcher's or the pair
// product's) for this product, in the user's configuration folder.
WideString PerUserSettingsPathOf(const ProductSettings& product, const WideString& executablePath, bool createFolders);

// The per-user folder of the start-up cache: the user's cache folder, the
// product name folder and the product code folder (each left out when empty),
// then "StartupCache"; ends in a path separator. With createFolders they are
// made (failures are ignored: they may exist). "" without a cache folder.
WideString StartupCacheFolder(const WideString& cacheFolder, const WideString& productName,
                              const WideString& productCode, bool createFolders);

// The same in the user's cache folder.
WideString StartupCacheFolderOf(const ProductSettings& product, bool createFolders);

}  // namespace launcher::settings

#pragma once

#include <cstdint>

// Ids of the string table (resources/string_table.inc holds the texts).
enum class StringId : uint32_t {
  kNone = 0,  // no message: a silent failure
  kWindowsException = 202,
  kJniException = 203,
  kJreNotFoundServer = 206,
  kJreNotFound = 207,
  kModulePathFailed = 208,
  kClassPathMissing = 209,
  kMainClassMissing = 210,
  kMainClassLoadFailed = 211,
  kCreateJavaVmMissing = 212,
  kJvmCreationFailed = 213,
  kBrowseForJre = 214,
  kMainClassNotFound = 215,
  kMainMethodMissing = 216,
  kLatestVersion = 217,
  kMaximumVersion = 218,
  kMinimumVersion = 219,
  kVersionRequired = 220,
  kVersionBetween = 221,
  kJvmLibraryLoadFailed = 222,
  kReasonUnknown = 225,
  kReasonDetached = 226,
  kReasonVersion = 227,
  kReasonNoMemory = 228,
  kReasonExists = 229,
  kReasonInvalid = 230,
  kPairProductStartFailed = 240,
  kSettingsFileTooLarge = 250,
  kPressAnyKey = 270,
};

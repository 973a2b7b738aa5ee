#include "discovery/jre_not_found_message.h"

#include "launcher/launcher.h"
#include "launcher/messages.h"

WideString BuildVersionRequirementText(const JavaVersion& minimum, const JavaVersion& maximum) {
  const bool noMinimum = IsOpenBound(minimum);
  const bool noMaximum = IsOpenBound(maximum);
  if (noMinimum && noMaximum) return LoadStringText(StringId::kLatestVersion);
  if (noMinimum) return LoadFormatted(StringId::kMaximumVersion, {Format(maximum)});
  if (noMaximum) return LoadFormatted(StringId::kMinimumVersion, {Format(minimum)});
  if (minimum.SameNumbers(maximum)) return LoadFormatted(StringId::kVersionRequired, {Format(minimum)});
  return LoadFormatted(StringId::kVersionBetween, {Format(minimum), Format(maximum)});
}

WideString BuildJreNotFoundMessage(const Launcher& launcher) {
  StringId id = launcher.jvmTypeMode == JvmTypeMode::Server ? StringId::kJreNotFoundServer : StringId::kJreNotFound;
  return LoadFormatted(id, {BuildVersionRequirementText(launcher.minimumVersion, launcher.maximumVersion)});
}

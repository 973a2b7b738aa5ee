#include "app/jre_not_found_message.h"

#include "common/message_text.h"

namespace launcher::app {

WideString BuildVersionRequirementText(const JavaVersion& minimum, const JavaVersion& maximum) {
  const bool noMinimum = IsOpenBound(minimum);
  const bool noMaximum = IsOpenBound(maximum);
  if (noMinimum && noMaximum) return LoadStringText(StringId::kLatestVersion);
  if (noMinimum) return LoadFormatted(StringId::kMaximumVersion, {Format(maximum)});
  if (noMaximum) return LoadFormatted(StringId::kMinimumVersion, {Format(minimum)});
  if (minimum.SameNumbers(maximum)) return LoadFormatted(StringId::kVersionRequired, {Format(minimum)});
  return LoadFormatted(StringId::kVersionBetween, {Format(minimum), Format(maximum)});
}

WideString BuildJreNotFoundMessage(const settings::RuntimeRequirements& requirements) {
  const StringId id =
      requirements.jvmType == settings::JvmTypeMode::Server ? StringId::kJreNotFoundServer : StringId::kJreNotFound;
  return LoadFormatted(id, {BuildVersionRequirementText(requirements.minimum, requirements.maximum)});
}

}  // namespace launcher::app

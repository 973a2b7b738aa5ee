#include "startup_cache/startup_cache_mechanism.h"

#include <gtest/gtest.h>

namespace launcher::startup_cache {

namespace {

struct MechanismCase {
  std::optional<WideString> version;
  std::optional<WideString> variant;
  CacheMechanism mechanism;
  CacheReason reason;
};

TEST(StartupCacheMechanismTest, TheVersionAndVariantChooseTheMechanism) {
  const std::vector<MechanismCase> cases = {
      {L"25.0.3", L"Hotspot", CacheMechanism::AotCache, CacheReason::AheadOfTimeLinking},
      {L"26", std::nullopt, CacheMechanism::AotCache, CacheReason::AheadOfTimeLinking},
      {L"24.0.1", std::nullopt, CacheMechanism::ClassDataArchive, CacheReason::ClassDataArchive},
      {L"17.0.15", std::nullopt, CacheMechanism::ClassDataArchive, CacheReason::ClassDataArchive},
      {L"21", L"HOTSPOT", CacheMechanism::ClassDataArchive, CacheReason::ClassDataArchive},
      {L"17", L"", CacheMechanism::ClassDataArchive, CacheReason::ClassDataArchive},
      {L"16.0.2", std::nullopt, CacheMechanism::None, CacheReason::RuntimeTooOld},
      {L"11.0.20", std::nullopt, CacheMechanism::None, CacheReason::RuntimeTooOld},
      {L"1.8.0_392", std::nullopt, CacheMechanism::None, CacheReason::RuntimeTooOld},
      {L"21.0.1", L"Openj9", CacheMechanism::None, CacheReason::NotHotSpot},
      {L"unknown", std::nullopt, CacheMechanism::None, CacheReason::RuntimeTooOld},
      {L"", std::nullopt, CacheMechanism::None, CacheReason::NoRuntimeVersion},
      {std::nullopt, L"Hotspot", CacheMechanism::None, CacheReason::NoRuntimeVersion},
  };
  for (const MechanismCase& c : cases) {
    const CacheMechanismChoice choice = ChooseCacheMechanism(c.version, c.variant);
    const std::string label = c.version ? std::string(c.version->begin(), c.version->end()) : "(none)";
    EXPECT_EQ(choice.mechanism, c.mechanism) << label;
    EXPECT_EQ(choice.reason, c.reason) << label;
  }
}

TEST(StartupCacheMechanismTest, EveryReasonIsDescribed) {
  for (int reason = 0; reason <= static_cast<int>(CacheReason::RecordingClasses); ++reason) {
    EXPECT_STRNE(DescribeCacheReason(static_cast<CacheReason>(reason)), "") << reason;
  }
}

}  // namespace

}  // namespace launcher::startup_cache

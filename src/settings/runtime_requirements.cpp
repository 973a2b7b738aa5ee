#include "settings/runtime_requirements.h"

namespace launcher::settings {

namespace {

struct SourceFlags {
  bool anySource, jdkWanted, jreWanted;
};

SourceFlags FlagsOf(SourcePolicy policy) {
  switch (policy) {
    case SourcePolicy::Either:
      return {true, true, true};
    case SourcePolicy::FavorJre:
      return {true, false, true};
    case SourcePolicy::FavorJdk:
      return {true, true, false};
    case SourcePolicy::OnlyJre:
      return {false, false, true};
    case SourcePolicy::OnlyJdk:
      return {false, true, false};
    case SourcePolicy::Neither:
      break;
  }
  return {false, false, false};
}

// Accepted and favoured vendors, each indexed by Vendor (Sun, JRockit, IBM).
struct VendorFlags {
  bool accepted[3];
  bool favoured[3];
};

VendorFlags FlagsOf(VendorPolicy policy) {
  switch (policy) {
    case VendorPolicy::SunOnly:
      return {{true, false, false}, {true, false, false}};
    case VendorPolicy::JRockit:
      return {{false, true, false}, {false, true, false}};
    case VendorPolicy::Ibm:
      return {{false, false, true}, {false, false, true}};
    case VendorPolicy::FavorSun:
      return {{true, true, true}, {true, false, false}};
    case VendorPolicy::FavorJRockit:
      return {{true, true, true}, {false, true, false}};
    case VendorPolicy::FavorIbm:
      return {{true, true, true}, {false, false, true}};
    case VendorPolicy::Any:
      break;
  }
  return {{true, true, true}, {false, false, false}};
}

}  // namespace

bool Wants(SourcePolicy policy, RuntimeKind kind) {
  const SourceFlags flags = FlagsOf(policy);
  return kind == RuntimeKind::Jdk ? flags.jdkWanted : flags.jreWanted;
}

bool Searches(SourcePolicy policy, RuntimeKind kind) { return FlagsOf(policy).anySource || Wants(policy, kind); }

bool RanksPreferredFirst(SourcePolicy policy) { return FlagsOf(policy).anySource; }

bool Accepts(VendorPolicy policy, Vendor vendor) {
  const VendorFlags flags = FlagsOf(policy);
  const int index = static_cast<int>(vendor);
  return flags.accepted[index] || flags.favoured[index];
}

bool Favours(VendorPolicy policy, Vendor vendor) { return FlagsOf(policy).favoured[static_cast<int>(vendor)]; }

}  // namespace launcher::settings

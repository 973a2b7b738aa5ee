#pragma once

#include "common/java_version.h"
#include "platform/wide_string.h"
#include "settings/jvm_type_mode.h"

namespace launcher::settings {

// What the application asks of a Java runtime: the settings that runtime
// discovery works from.

// The kinds of installed runtime and the vendors whose registrations are searched.
enum class RuntimeKind { Jdk, Jre };
enum class Vendor { Sun, JRockit, Ibm };

// "JVM Source": which kinds are searched and which are preferred.
enum class SourcePolicy {
  Either,    // empty: both kinds searched, the preferred flag follows the vendor alone
  FavorJre,  // both searched, JREs of a favoured vendor first
  FavorJdk,  // both searched, JDKs of a favoured vendor first
  OnlyJre,   // only JRE keys, ranked by version alone
  OnlyJdk,   // only JDK keys, ranked by version alone
  Neither,   // any other text: no registry key is searched
};

// "VM Provider": which vendors are accepted and which favoured.
enum class VendorPolicy {
  SunOnly,  // empty or not a known value
  JRockit,
  Ibm,
  FavorSun,
  FavorJRockit,
  FavorIbm,
  Any,
};

// Whether candidates of this kind are wanted (and, with a favoured vendor, preferred).
bool Wants(SourcePolicy policy, RuntimeKind kind);
// Whether registrations of this kind are searched at all.
bool Searches(SourcePolicy policy, RuntimeKind kind);
// Whether preferred candidates rank above the others (not with "only_...").
bool RanksPreferredFirst(SourcePolicy policy);

// Whether a vendor's registrations are searched (accepted or favoured).
bool Accepts(VendorPolicy policy, Vendor vendor);
bool Favours(VendorPolicy policy, Vendor vendor);

struct RuntimeRequirements {
  JavaVersion minimum;  // "Minimum Version"; all zero: no lower bound
  JavaVersion maximum;  // "Maximum Version"; absent leaves 0.0.0.0
  WideStringList preferredVersions;
  JvmTypeMode jvmType = JvmTypeMode::Default;
  SourcePolicy source = SourcePolicy::Either;
  VendorPolicy vendor = VendorPolicy::SunOnly;
  WideString jrePath;  // "JRE Path": from the per-user file when that applies
};

}  // namespace launcher::settings

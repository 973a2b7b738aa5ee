#include "discovery/candidate_verdict.h"

namespace launcher::discovery {

std::optional<std::string> OutsideBounds(const JavaVersion& version,
                                         const settings::RuntimeRequirements& requirements) {
  if (Compare(version, requirements.maximum) > 0) {
    // An upper bound without a version (absent, empty or no digit) is 0.0.0.0.
    if (requirements.maximum.runCount == 0) {
      return "above \"Maximum Version\", which is absent, so the upper bound is " +
             TraceVersionText(requirements.maximum);
    }
    return "above \"Maximum Version\" " + TraceVersionText(requirements.maximum);
  }
  if (Compare(version, requirements.minimum) < 0) {
    return "below \"Minimum Version\" " + TraceVersionText(requirements.minimum);
  }
  return std::nullopt;
}

std::optional<std::string> NotSearched(settings::RuntimeKind kind, settings::Vendor vendor,
                                       const settings::RuntimeRequirements& requirements) {
  if (!settings::Searches(requirements.source, kind)) {
    return std::string("a ") + KindName(kind) + ", which \"JVM Source\" does not ask for";
  }
  if (!settings::Accepts(requirements.vendor, vendor)) {
    return std::string("a runtime of vendor ") + VendorName(vendor) + ", which \"VM Provider\" does not accept";
  }
  return std::nullopt;
}

const char* KindName(settings::RuntimeKind kind) { return kind == settings::RuntimeKind::Jdk ? "JDK" : "JRE"; }

const char* VendorName(settings::Vendor vendor) {
  switch (vendor) {
    case settings::Vendor::JRockit:
      return "JRockit";
    case settings::Vendor::Ibm:
      return "IBM";
    case settings::Vendor::Sun:
      break;
  }
  return "Sun";
}

const char* JvmTypeName(settings::JvmTypeMode mode) {
  switch (mode) {
    case settings::JvmTypeMode::Server:
      return "server";
    case settings::JvmTypeMode::FavorServer:
      return "favor_server";
    case settings::JvmTypeMode::Default:
      break;
  }
  return "default";
}

std::string NoJvmLibrary(settings::JvmTypeMode mode) {
  return std::string("no JVM library for \"JVM Type\" ") + JvmTypeName(mode);
}

void TraceRefused(Trace& trace, const WideString& source, std::string_view reason) {
  TraceLine(trace, "candidate").Text("source", source).Word("verdict", "refused").Bytes("reason", reason).Write();
}

void TraceAccepted(Trace& trace, const JvmCandidate& candidate) {
  TraceLine(trace, "candidate")
      .Text("source", candidate.source)
      .Word("verdict", "accepted")
      .Version("version", candidate.version)
      .Word("kind", KindName(candidate.kind))
      .Word("vendor", VendorName(candidate.vendor))
      .Text("home", candidate.home)
      .Flag("server", candidate.server)
      .Flag("preferred", candidate.preferred)
      .Write();
}

void TraceSearch(Trace& trace, std::string_view stage, size_t candidates) {
  TraceLine(trace, "search").Bytes("stage", stage).Number("candidates", static_cast<int64_t>(candidates)).Write();
}

}  // namespace launcher::discovery

#include "discovery/runtime_lead.h"

#include "common/text.h"
#include "discovery/candidate_verdict.h"
#include "discovery/library_machine.h"
#include "discovery/runtime_folder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/runtime_layout.h"

namespace launcher::discovery {

namespace {

RuntimeFacts FactsOfFolder(const WideString& home) {
  const std::string release = platform::ReadReleaseFile(home);
  return FactsOf(release, platform::FileExists(home + platform::kCompilerFile));
}

}  // namespace

RuntimeFacts FactsOf(std::optional<std::string_view> releaseText, bool hasCompiler) {
  RuntimeFacts facts;
  facts.kind = hasCompiler ? settings::RuntimeKind::Jdk : settings::RuntimeKind::Jre;
  if (!releaseText) return facts;
  if (std::optional<WideString> version = platform::ReleaseFileValue(*releaseText, "JAVA_VERSION")) {
    JavaVersion parsed;
    if (parsed.Parse(*version, JavaVersion::kLowFill)) facts.version = parsed;
  }
  if (std::optional<WideString> image = platform::ReleaseFileValue(*releaseText, "IMAGE_TYPE")) {
    if (*image == L"JDK") facts.kind = settings::RuntimeKind::Jdk;
    if (*image == L"JRE") facts.kind = settings::RuntimeKind::Jre;
  }
  std::optional<WideString> variant = platform::ReleaseFileValue(*releaseText, "JVM_VARIANT");
  if (variant && EqualsIgnoringCase(*variant, L"OpenJ9")) facts.vendor = settings::Vendor::Ibm;
  return facts;
}

std::optional<JvmCandidate> JudgeLead(const RuntimeLead& lead, const settings::RuntimeRequirements& requirements,
                                      Trace& trace) {
  auto refuse = [&](std::string_view reason) -> std::optional<JvmCandidate> {
    TraceRefused(trace, lead.source, reason);
    return std::nullopt;
  };
  if (lead.folder.empty()) return refuse("it names no folder");
  const WideString folder = platform::WithTrailingSeparator(lead.folder);
  if (!FolderExists(folder)) {
    return refuse(lead.registered ? "stale registry key: the folder it names is gone" : "the folder it names is gone");
  }
  const RuntimeFacts facts = FactsOfFolder(folder);
  JvmCandidate candidate;
  candidate.source = lead.source;
  candidate.kind = lead.kind.value_or(facts.kind);
  candidate.vendor = lead.vendor.value_or(facts.vendor);
  candidate.home = folder;
  // An old JDK (Java 8 and before) is used through the runtime inside it.
  if (HasJavaLibrary(folder + platform::kJdkRuntimeFolder)) {
    candidate.home += platform::kJdkRuntimeFolder;
    candidate.kind = settings::RuntimeKind::Jdk;
  }
  if (auto excluded = NotSearched(candidate.kind, candidate.vendor, requirements)) return refuse(*excluded);
  const WideString library = LocateJvmLibrary(candidate.home, requirements.jvmType, candidate.server);
  if (library.empty()) return refuse(NoJvmLibrary(requirements.jvmType));
  if (IsI386LibraryFile(library)) return refuse("wrong machine: its JVM library is a 32-bit one");
  if (!lead.version && !facts.version) return refuse("no version: no JAVA_VERSION in its \"release\" file");
  // Not value_or(*facts.version): its argument is read even when the lead has a version.
  candidate.version = lead.version ? *lead.version : *facts.version;
  if (auto outside = OutsideBounds(candidate.version, requirements)) return refuse(*outside);
  candidate.preferred =
      settings::Wants(requirements.source, candidate.kind) && settings::Favours(requirements.vendor, candidate.vendor);
  TraceAccepted(trace, candidate);
  return candidate;
}

}  // namespace launcher::discovery

#include "startup_cache/startup_cache_options.h"

#include <algorithm>
#include <string_view>

#include "platform/text.h"

namespace launcher::startup_cache {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The flag of a -XX: option ("UseG1GC" of "-XX:+UseG1GC", "MaxHeapSize" of
// "-XX:MaxHeapSize=1g"); "" for other options.
std::string_view FlagName(std::string_view option) {
  if (!StartsWith(option, "-XX:")) return {};
  std::string_view flag = option.substr(4);
  if (!flag.empty() && (flag.front() == '+' || flag.front() == '-')) flag.remove_prefix(1);
  return flag.substr(0, flag.find('='));
}

bool HandlesClassSharing(std::string_view option) {
  if (StartsWith(option, "-Xshare")) return true;
  const std::string_view flag = FlagName(option);
  return flag.find("Shared") != std::string_view::npos || StartsWith(flag, "AOT") || flag == "ArchiveClassesAtExit" ||
         flag == "DumpLoadedClassList" || flag == "RecordDynamicDumpInfo";
}

bool ShapesArchive(std::string_view option) {
  for (std::string_view prefix : {"-Xmx", "--add-modules", "--limit-modules", "--enable-preview"}) {
    if (StartsWith(option, prefix)) return true;
  }
  const std::string_view flag = FlagName(option);
  for (std::string_view shaping :
       {"MaxHeapSize", "ObjectAlignmentInBytes", "UseCompressedOops", "UseCompressedClassPointers",
        "UseCompactObjectHeaders", "UnlockExperimentalVMOptions", "UnlockDiagnosticVMOptions", "EnableJVMCI",
        "UseJVMCICompiler"}) {
    if (flag == shaping) return true;
  }
  // The collectors: UseG1GC, UseSerialGC, UseParallelGC, UseZGC, ...
  return StartsWith(flag, "Use") && EndsWith(flag, "GC");
}

}  // namespace

bool OptionsHandleClassSharing(const JvmOptionList& options) {
  return std::any_of(options.begin(), options.end(),
                     [](const std::string& option) { return HandlesClassSharing(option); });
}

JvmOptionList SplitOptionsText(const WideString& text) {
  JvmOptionList options;
  const WideString spaces = L" \t\r\n";
  for (size_t start = text.find_first_not_of(spaces); start != WideString::npos;) {
    const size_t end = text.find_first_of(spaces, start);
    options.push_back(platform::ToAnsi(text.substr(start, end - start)));
    start = end == WideString::npos ? end : text.find_first_not_of(spaces, end);
  }
  return options;
}

JvmOptionList ArchiveShapingOptions(const JvmOptionList& options) {
  JvmOptionList shaping;
  std::copy_if(options.begin(), options.end(), std::back_inserter(shaping),
               [](const std::string& option) { return ShapesArchive(option); });
  return shaping;
}

JvmOptionList UseArchiveOptions(CacheMechanism mechanism, const std::string& archive) {
  const bool aot = mechanism == CacheMechanism::AotCache;
  // No -Xshare: a runtime with an AOT cache refuses to start with any.
  JvmOptionList options{(aot ? "-XX:AOTCache=" : "-XX:SharedArchiveFile=") + archive, "-Xlog:cds*=off",
                        "-Xlog:cds*=off:stderr"};
  if (aot) options.insert(options.end(), {"-Xlog:aot*=off", "-Xlog:aot*=off:stderr"});
  return options;
}

std::string RecordClassesOption(const std::string& classList) { return "-XX:DumpLoadedClassList=" + classList; }

WideStringList BuildArchiveArguments(CacheMechanism mechanism, const WideString& vmName, const WideString& classList,
                                     const WideString& archive, const WideString& classPath,
                                     const JvmOptionList& shapingOptions) {
  WideStringList arguments{L"-" + vmName, L"-Xshare:dump", L"-XX:SharedClassListFile=" + classList,
                           L"-XX:SharedArchiveFile=" + archive};
  if (mechanism == CacheMechanism::AotCache) arguments.push_back(L"-XX:+AOTClassLinking");
  for (const std::string& option : shapingOptions) arguments.push_back(platform::FromAnsi(option));
  // Given even when empty: without it java would take the current folder.
  arguments.insert(arguments.end(), {L"-cp", classPath});
  return arguments;
}

}  // namespace launcher::startup_cache

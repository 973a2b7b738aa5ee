#include "jvm/launch_plan.h"

#include "common/argument_list.h"
#include "common/split_list.h"
#include "jvm/class_path.h"
#include "jvm/vm_parameters.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"

namespace launcher::jvm {

namespace {

settings::StreamSetting Expanded(const settings::StreamSetting& stream) {
  return {stream.file.empty() ? stream.file : platform::ExpandEnvironmentReferences(stream.file), stream.append};
}

// The command line's arguments, then the non-empty pieces of "Cmd".
WideStringList MainArguments(const WideStringList& commandLine, const WideString& cmd) {
  WideStringList arguments = commandLine;
  if (cmd.empty()) return arguments;
  WideStringList pieces;
  SplitArguments(platform::ExpandEnvironmentReferences(cmd), pieces);
  for (const WideString& piece : pieces) {
    if (!piece.empty()) arguments.push_back(piece);
  }
  return arguments;
}

// A list of paths (class path, library path) in 8-bit text, each path in the
// form that text carries; those that name nothing and cannot be written are
// left out, since the JVM could not open them either.
Result<std::string> PathListText(const WideString& list, const LaunchPlanInputs& inputs) {
  const WideString separator(1, platform::kPathListSeparator);
  WideString carriedList;
  bool first = true;
  for (const WideString& path : SplitList(list, separator)) {
    const Result<JvmPath> carried = JvmPathOf(path, inputs.shortPath, inputs.trace);
    if (!carried) return carried.error();
    if (carried->form == JvmPathForm::NamesNothing) continue;
    carriedList += (first ? L"" : separator) + carried->path;
    first = false;
  }
  return platform::ToAnsi(carriedList);
}

}  // namespace

Result<LaunchPlan> BuildLaunchPlan(const LaunchPlanInputs& inputs) {
  LaunchPlan plan;
  if (!inputs.libraryPath.empty()) {
    const Result<std::string> libraryPath = PathListText(inputs.libraryPath, inputs);
    if (!libraryPath) return libraryPath.error();
    plan.options.push_back("-Djava.library.path=" + *libraryPath);
  }
  const WideString classPath = BuildClassPath(inputs.classPath, inputs.executable.path);
  if (classPath.empty()) return LaunchError{StringId::kClassPathMissing, {}};
  // Its entries were expanded one by one; they are file names now, not
  // settings to expand again. The runtime reads an empty last element as the
  // current folder, which would put whatever lies there on the class path:
  // there is no final separator.
  const Result<std::string> classPathText = PathListText(classPath, inputs);
  if (!classPathText) return classPathText.error();
  plan.options.push_back("-Djava.class.path=" + *classPathText);
  WideStringList options;
  for (const WideString& token : SplitVmParameters(inputs.vmParameters)) {
    AddVmParameter(token, options, plan.stackSize, inputs.memory);
  }
  // The user's options are taken as the publisher's are, -Xss and memory
  // shares included.
  const size_t userStart = options.size();
  for (const WideString& option : inputs.userOptions) AddVmParameter(option, options, plan.stackSize, inputs.memory);
  for (const WideString& option : options) {
    plan.options.push_back(platform::ToAnsi(platform::ExpandEnvironmentReferences(option)));
  }
  plan.userOptionsStart = plan.options.size() - (options.size() - userStart);
  plan.mainClass = inputs.application.mainClass;
  plan.arguments = MainArguments(inputs.commandLine, inputs.application.cmd);
  plan.output = Expanded(inputs.output.output);
  plan.error = Expanded(inputs.output.error);
  return plan;
}

void InsertBeforeUserOptions(LaunchPlan& plan, const JvmOptionList& options) {
  plan.options.insert(plan.options.begin() + static_cast<ptrdiff_t>(plan.userOptionsStart), options.begin(),
                      options.end());
  plan.userOptionsStart += options.size();
}

}  // namespace launcher::jvm

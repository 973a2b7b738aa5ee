#include "jvm/launch_plan.h"

#include "common/argument_list.h"
#include "jvm/class_path.h"
#include "jvm/vm_parameters.h"
#include "platform/process.h"
#include "platform/text.h"

namespace {

StreamSetting Expanded(const StreamSetting& stream) {
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

}  // namespace

Result<LaunchPlan> BuildLaunchPlan(const LaunchPlanInputs& inputs) {
  LaunchPlan plan;
  if (!inputs.libraryPath.empty())
    plan.options.push_back(platform::ToAnsi(L"-Djava.library.path=" + inputs.libraryPath));
  WideString classPath = BuildClassPath(inputs.classPath, inputs.executable.path);
  if (classPath.empty()) return LaunchError{StringId::kClassPathMissing, {}};
  // The runtime reads an empty last element as the current folder, which would
  // put whatever lies there on the class path: the final separator goes.
  classPath.pop_back();
  WideStringList options{L"-Djava.class.path=" + classPath};
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

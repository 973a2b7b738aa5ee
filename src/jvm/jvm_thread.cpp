#include "jvm/jvm_thread.h"

#include "jvm/output_redirection.h"
#include "platform/threads.h"

namespace launcher::jvm {

namespace {

struct ThreadRecord {
  const JvmRun& run;
  JvmOutcome outcome;
};

Result<MainEnd> CreateAndRun(const JvmRun& run, std::optional<JvmSession>& session) {
  Result<JvmSession> created = JvmSession::Create(run.library, run.plan.options, run.trace);
  if (!created) return created.error();
  session.emplace(std::move(*created));
  JNIEnv* env = session->env();
  SetUpStandardStreams(env, run.plan.output, run.plan.error);
  ThreadAttachment attachment(session->vm());
  Result<MainEnd> ran = InvokeMainClass(session->vm(), env, run.plan.mainClass, run.plan.arguments, run.hooks);
  if (ran && run.sleepAfterMain) {
    TraceLine(run.trace, "main-thread-kept").Sentence("the process ends only through System.exit").Write();
    platform::SleepForever();
  }
  if (attachment.Detach() != JNI_OK && ran) return LaunchError::Silent();
  return ran;
}

uint32_t JvmThreadMain(void* parameter) {
  ThreadRecord& record = *static_cast<ThreadRecord*>(parameter);
  record.outcome.ran = CreateAndRun(record.run, record.outcome.session);
  return record.outcome.ran ? 0 : 1;
}

}  // namespace

JvmOutcome RunJvm(const JvmRun& run) {
  const uint64_t stackSize = run.plan.stackSize != 0 ? run.plan.stackSize : run.library.DefaultStackSize();
  ThreadRecord record{run, {}};
  if (!platform::RunThreadAndWait(stackSize, &JvmThreadMain, &record)) {
    // No thread to be had: the JVM runs on this one.
    JvmThreadMain(&record);
  }
  return std::move(record.outcome);
}

}  // namespace launcher::jvm

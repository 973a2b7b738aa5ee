#include "app/pinned_runtime.h"

#include "app/install_texts.h"
#include "common/message_text.h"
#include "discovery/runtime_resolution.h"
#include "platform/process.h"
#include "platform/text.h"
#include "runtime_install/install_pipeline.h"
#include "runtime_install/machine_policy.h"
#include "runtime_install/runtime_store.h"

namespace launcher::app {

namespace {

using runtime_install::InstallFailure;
using runtime_install::StoredRuntime;

void TraceOffer(Trace& trace, std::string_view offer, std::string_view why) {
  TraceLine(trace, "runtime-download").Word("offer", offer).Sentence(why).Write();
}

}  // namespace

PinnedRuntime::PinnedRuntime(const settings::LauncherSettings& settings, const ExecutableLocation& executable,
                             Trace& trace)
    : download_(settings.runtimeDownload),
      requirements_(settings.runtime),
      executableFolder_(executable.folder),
      trace_(trace) {
  if (download_) {
    storeFolder_ =
        runtime_install::StoreFolderFor(platform::UserDataFolder(), settings.product.name, settings.product.code);
  }
}

WideStringList PinnedRuntime::StoredHomes() const {
  WideStringList homes;
  for (const StoredRuntime& stored : runtime_install::RuntimeStore(storeFolder_).Installed()) {
    homes.push_back(stored.home);
  }
  TraceLine(trace_, "runtime-store")
      .Text("folder", storeFolder_)
      .Number("runtimes", static_cast<int64_t>(homes.size()))
      .Write();
  return homes;
}

InstallOffer PinnedRuntime::Offer(platform::Registry& registry) const {
  if (!download_) return InstallOffer::None;
  if (download_->offer == settings::RuntimeOffer::Off) {
    TraceOffer(trace_, "off", "\"Offer=off\" in [Runtime Download]");
    return InstallOffer::None;
  }
  if (storeFolder_.empty()) {
    TraceOffer(trace_, "off", "the user has no data folder for the runtime store");
    return InstallOffer::None;
  }
  if (runtime_install::DownloadTurnedOffForMachine(registry)) {
    TraceOffer(trace_, "off", "the machine's policy turns the runtime download off");
    return InstallOffer::None;
  }
  const bool ask = download_->offer == settings::RuntimeOffer::Ask;
  TraceOffer(trace_, ask ? "ask" : "auto", ask ? "the user is asked" : "\"Offer=auto\": installed without a question");
  return ask ? InstallOffer::Ask : InstallOffer::Install;
}

WideString PinnedRuntime::InstallChoice() const {
  return download_ ? LoadFormatted(StringId::kInstallChoice, {RuntimeNameOf(*download_)}) : WideString();
}

std::optional<discovery::ResolvedRuntime> PinnedRuntime::Install(ui::UserInterface& ui, ui::WindowHandle owner) const {
  if (!download_) return std::nullopt;
  const WideString name = RuntimeNameOf(*download_);
  const runtime_install::InstallRequest request{
      .sources = download_->archiveUrls,
      .executableFolder = executableFolder_,
      .sha256 = runtime_install::ParseSha256(download_->sha256).value_or(platform::Sha256Digest{}),
      .archiveSize = download_->archiveSize,
      .storeFolder = storeFolder_,
      .requirements = requirements_};
  std::optional<platform::Expected<StoredRuntime, runtime_install::InstallFailure>> installed;
  ui.RunWithProgress(owner, LoadFormatted(StringId::kInstallingCaption, {name}), [&](ui::ProgressSink& sink) {
    installed = runtime_install::InstallRuntime(
        request,
        {.progress = [&](const runtime_install::InstallProgress& progress) { sink.Report(ProgressOf(progress, name)); },
         .cancelled = [&sink] { return sink.CancelRequested(); }},
        trace_);
  });
  if (!installed) return std::nullopt;
  runtime_install::InstallFailure failure;
  if (*installed) {
    if (auto runtime = discovery::ResolveStoredRuntime((*installed)->home, requirements_, trace_)) return runtime;
    // Installed by an earlier start under other bounds or "JVM Type".
    failure.kind = runtime_install::FailureKind::NotQualified;
    failure.reason = "the runtime in " + platform::ToUtf8((*installed)->home) +
                     " is outside the version bounds or lacks the JVM library \"JVM Type\" asks for";
  } else {
    failure = installed->error();
  }
  const WideString words = FailureMessage(failure, name);
  if (!words.empty()) ui.ShowError(owner, words);
  return std::nullopt;
}

}  // namespace launcher::app

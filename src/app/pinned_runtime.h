#pragma once

#include <optional>

#include "common/executable_location.h"
#include "common/trace.h"
#include "discovery/resolved_runtime.h"
#include "platform/registry.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"
#include "ui/user_interface.h"

namespace launcher::app {

// How the pinned runtime is offered once no runtime qualifies.
enum class InstallOffer {
  None,     // no pin, "Offer=off", the machine's policy, or no store folder
  Ask,      // the "JRE Not Found" question gains the install choice
  Install,  // "Offer=auto": installed without a question
};

// The runtime the publisher pins in [Runtime Download], for one start: the
// user's store of such runtimes is a source of discovery, and when no runtime
// qualifies the install is offered, unless the section says not to or the
// machine's administrator has turned it off. Nothing is written back to the
// settings: a runtime installed later by other means wins by the usual rules.
class PinnedRuntime {
 public:
  PinnedRuntime(const settings::LauncherSettings& settings, const ExecutableLocation& executable, Trace& trace);

  // Whether the store is a source of this start: a runtime is pinned and the
  // user has a data folder.
  bool HasStore() const { return download_ && !storeFolder_.empty(); }

  // The homes of the store's complete runtimes, for discovery.
  WideStringList StoredHomes() const;

  // Once discovery found nothing: whether and how the install is offered (the
  // trace says why); asks the machine's policy.
  InstallOffer Offer(platform::Registry& registry) const;

  // "Install <Runtime Name>".
  WideString InstallChoice() const;

  // Installs the pinned archive while its progress is shown; the runtime
  // installed, or none after a cancel or a failure, whose words the user has
  // then been shown.
  std::optional<discovery::ResolvedRuntime> Install(ui::UserInterface& ui, ui::WindowHandle owner) const;

 private:
  std::optional<settings::RuntimeDownloadSettings> download_;
  settings::RuntimeRequirements requirements_;
  WideString executableFolder_;
  WideString storeFolder_;
  Trace& trace_;
};

}  // namespace launcher::app

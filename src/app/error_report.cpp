#include "app/error_report.h"

#include "common/message_text.h"

namespace launcher::app {

void ErrorReport::operator()(const LaunchError& error) const {
  if (error.IsSilent()) return;
  ui_.ShowError(owner_ ? owner_() : nullptr, MessageOf(error));
}

}  // namespace launcher::app

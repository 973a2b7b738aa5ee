#pragma once

#include <functional>

#include "common/launch_error.h"
#include "ui/user_interface.h"

namespace launcher::app {

// Tells the user about a failed start, once, at the top of the run: the
// message of the error in an error box owned by the window that is in front
// at that moment (the splash window while one is shown). Silent errors show
// nothing.
class ErrorReport {
 public:
  using OwnerWindow = std::function<ui::WindowHandle()>;

  ErrorReport(ui::UserInterface& ui, OwnerWindow owner) : ui_(ui), owner_(std::move(owner)) {}

  void operator()(const LaunchError& error) const;

 private:
  ui::UserInterface& ui_;
  OwnerWindow owner_;
};

}  // namespace launcher::app

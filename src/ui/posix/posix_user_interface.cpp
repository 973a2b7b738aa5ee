#include "ui/user_interface.h"

namespace launcher::ui {

// A POSIX launcher always runs as a terminal program.
UserInterface& SystemUserInterface() { return ConsoleUserInterface(); }

}  // namespace launcher::ui

#include "ui/user_interface.h"

// A POSIX launcher always runs as a terminal program.
UserInterface& SystemUserInterface() { return ConsoleUserInterface(); }

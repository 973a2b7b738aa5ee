#pragma once

#include "driver_options.h"

namespace ui_driver {

// One function per command; each returns the driver's exit code.

// Dialogs as a whole (dialog_commands.cpp).
int List(const Options& options);
int Click(const Options& options);
int SetText(const Options& options);
int Absent(const Options& options);
int Close(const Options& options);

// The screen and top-level windows of any class (window_commands.cpp).
int WorkArea(const Options& options);
int Windows(const Options& options);

// Pixels on screen (picture_commands.cpp).
int Capture(const Options& options);
int Pixels(const Options& options);

// Posted mouse and keyboard input (input_commands.cpp).
int ClickAt(const Options& options);
int Key(const Options& options);

// A dialog's size and state (placement_commands.cpp).
int Size(const Options& options);
int Show(const Options& options);

// The shell's folder picker (browse_command.cpp).
int Browse(const Options& options);

// The real pointer, and what a control shows (pointer_commands.cpp).
int Hover(const Options& options);
int DragCommand(const Options& options);
int Icon(const Options& options);

}  // namespace ui_driver

#pragma once

namespace platform {

// The subsystem an executable image is linked for: a windowed program gets no
// console and its start returns the shell's prompt at once; a console program
// has the console's (or the shell's) standard streams and the shell waits.
enum class ImageSubsystem { Windowed, Console };

// The running executable's own subsystem, from its image header in memory.
// Windows only: the same objects make a windowed and a console launcher.
ImageSubsystem OwnImageSubsystem();

}  // namespace platform

#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/expected.h"
#include "platform/wide_string.h"

namespace launcher::platform {

// ---- The running executable

// Its full path, never truncated.
SystemResult<WideString> QueryModulePath();

// The subsystem an executable image is linked for: a windowed program gets no
// console and its start returns the shell's prompt at once; a console program
// has the console's (or the shell's) standard streams and the shell waits.
enum class ImageSubsystem { Windowed, Console };

// Windows only: the running executable's own subsystem, from its image header
// in memory; the same objects make a windowed and a console launcher.
ImageSubsystem OwnImageSubsystem();

// The text of the executable's string table with that id; "" when it has none.
// A POSIX executable carries the same table compiled in.
WideString LoadResourceString(uint32_t id);

// The built-in settings text that the executable carries (RCDATA "SETTINGS" on
// Windows); nullopt when it carries none, as a POSIX executable never does.
std::optional<WideString> LoadBuiltinSettingsText();

// The running process's id, as the system's tools show it.
uint32_t CurrentProcessId();

// ---- Its command line

// The command line as the system hands it over: Windows gives one text
// (GetCommandLineW) that the launcher splits itself; POSIX gives the argument
// vector, program path first.
struct ProcessCommandLine {
  std::optional<WideString> text;
  WideStringList arguments;
};

ProcessCommandLine QueryCommandLine();

// POSIX only: the entry point records argv here before anything reads it.
void RecordProcessArguments(int argc, char** argv);

// A Windows command line that the C runtime's parser (and so java.exe) splits
// back into exactly these arguments: each is quoted when it is empty or holds
// white space or a double quote, with the backslashes before a quote doubled.
WideString JoinCommandLine(const WideStringList& arguments);

// ---- Its environment

// The value of a variable of the process environment, whole; nullopt when unset.
std::optional<WideString> GetEnvironmentValue(const WideString& name);
SystemStatus SetEnvironmentValue(const WideString& name, const WideString& value);
SystemStatus UnsetEnvironmentValue(const WideString& name);

// Replaces every %NAME% whose variable is defined by its value; undefined
// references stay as written (the rule of ExpandEnvironmentStringsW).
WideString ExpandEnvironmentReferences(const WideString& text);

// The folder under which per-user settings live: the value of "APPDATA" on
// Windows, the XDG configuration folder ($XDG_CONFIG_HOME, else $HOME/.config)
// on POSIX. Empty when the environment does not name one.
WideString UserConfigurationFolder();

// The folder under which per-user caches live: the value of "LOCALAPPDATA" on
// Windows, the XDG cache folder ($XDG_CACHE_HOME, else $HOME/.cache) on POSIX.
// Empty when the environment does not name one.
WideString UserCacheFolder();

// The folder under which per-user data that is not roamed lives (installed
// runtimes): the value of "LOCALAPPDATA" on Windows, the XDG data folder
// ($XDG_DATA_HOME, else $HOME/.local/share) on POSIX. Empty when the
// environment does not name one.
WideString UserDataFolder();

// ---- Its standard streams

enum class StandardStream { Input, Output, Error };

// Whether the process's stream is a terminal (on Windows, a console) that a
// person reads or types into, rather than a pipe, a file or nothing.
bool IsTerminal(StandardStream stream);

// Writes the text to the process's standard error as it is. A console gets
// the characters themselves; a pipe or file gets them in the encoding the
// runtime's own output there has (UTF-8 on POSIX; on Windows the ANSI code
// page, with CR LF line ends). Nothing is done when it cannot be written.
void WriteStandardError(const WideString& text);

// A line typed on standard input, without its line end; nullopt at the end of input.
std::optional<WideString> ReadStandardInputLine();

// Whether the process is alone on a console that was made for it and goes
// when it ends (a console program opened from Explorer or a shortcut, not
// from a shell that shares its console), with standard input on it. False on
// POSIX, where a terminal outlives the program.
bool IsAloneOnItsConsole();

// Waits until a key is pressed on the console of standard input; keys typed
// before the call do not count.
void WaitForKeyPress();

// ---- Its place on the desktop

// Names the process's windows to the taskbar (pinning, jump lists, grouping)
// with an App User Model ID; called before the first window. POSIX desktops
// have no such name: nothing is done there.
SystemStatus SetAppUserModelId(const WideString& id);

// ---- The machine it runs on

// The memory figures that heap and stack sizes may be given as a share of, in bytes.
struct MemoryFigures {
  uint64_t totalPhysical = 0;     // installed physical memory
  uint64_t availableVirtual = 0;  // address space the process can still use
};

MemoryFigures QueryMemoryFigures();

// Milliseconds on a clock that every process of the machine shares and that
// never goes back (it starts at the system's start).
uint64_t MonotonicMilliseconds();

// Whether the system is of the Windows NT family (per-user settings apply there).
// POSIX systems count as NT-family: they have per-user configuration folders.
bool IsNtFamily();

// ---- Programs it starts

// Where a process runs: its current folder and its whole environment, as
// "NAME=value" entries in the system's order.
struct ProcessPlace {
  WideString workingFolder;
  WideStringList environment;
};

// This process's, as they are now.
ProcessPlace CurrentProcessPlace();

// A program the launcher started, which runs on without it unless waited for.
class ChildProcess {
 public:
  // Starts program (a path; a relative one from the current folder, never
  // searched for) with this process's own command line, unchanged: on Windows
  // the text of GetCommandLineW, quoting and program path as typed; on POSIX
  // the argument vector as received, program path first.
  static SystemResult<ChildProcess> StartWithOwnCommandLine(const WideString& program);

  // Starts program as StartWithOwnCommandLine does, but in the place given
  // (folder and environment) and with this process's standard streams: a
  // console program shares this process's console.
  static SystemResult<ChildProcess> StartAgainIn(const WideString& program, const ProcessPlace& place);

  // Waits for it to end: its exit code (on POSIX 128 + the signal's number for
  // one ended by a signal), or none when that cannot be read.
  std::optional<int32_t> WaitForExit() const;

 private:
  struct Process;  // what the system knows it by
  explicit ChildProcess(std::shared_ptr<const Process> process) : process_(std::move(process)) {}

  std::shared_ptr<const Process> process_;
};

// Starts the executable once more, without arguments, as a process of its own
// that outlives this one: low priority, no console or window, none of this
// process's standard streams or open files, in the given working folder, with
// one more environment variable. It can wait for this process to end
// (WaitForStarterToEnd).
SystemStatus StartBackgroundCopy(const WideString& executable, const WideString& workingFolder,
                                 const WideString& variable, const WideString& value);

// In a process that StartBackgroundCopy started: waits until the process that
// started it has ended; false when that did not happen within the limit.
bool WaitForStarterToEnd(uint32_t limitMilliseconds);

// Runs a program with the arguments (the program path is not repeated among
// them), its standard input empty and its standard output and error going to
// outputFile, and waits for it: its exit code, or none when it ended without
// one (ended by a signal, or ended here when it did not end within the limit).
// An error when it could not be started or waited for.
SystemResult<std::optional<uint32_t>> RunProgramAndWait(const WideString& program, const WideStringList& arguments,
                                                        const WideString& outputFile, uint32_t limitMilliseconds);

}  // namespace launcher::platform

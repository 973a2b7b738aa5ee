#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/host.h"
#include "common/trace.h"
#include "platform/registry.h"
#include "platform/wide_string.h"
#include "ui/user_interface.h"

namespace launcher {

namespace test {

// A std::filesystem path for a WideString on either system.
std::filesystem::path NativePath(const WideString& path);
WideString FromNative(const std::filesystem::path& path);

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder's path, or a path inside it (with the system's separators).
  WideString Path(const WideString& relative = L"") const;

 private:
  std::filesystem::path root_;
};

// Writes bytes to a file, creating the folders on the way.
void WriteBytes(const WideString& path, const std::string& bytes);
std::string ReadBytes(const WideString& path);
// Creates an empty file, and the folders on the way.
void Touch(const WideString& path);

// Joins path pieces with the system's separator.
WideString Join(std::initializer_list<WideString> pieces);

// Records what the launcher shows and answers dialogs as told.
// A runtime question is answered with runtimeAnswer; a folder offered in it is
// first checked with the launcher's check, whose verdicts are kept.
class RecordingUi final : public ui::UserInterface {
 public:
  void ShowError(ui::WindowHandle owner, const WideString& text) override;
  ui::RuntimeAnswer AskForRuntime(ui::WindowHandle owner, const ui::RuntimeQuestion& question) override;
  void RunWithProgress(ui::WindowHandle owner, const WideString& caption, const ui::BackgroundWork& work) override;
  ui::ExceptionAnswer ShowException(const WideString& trace) override;

  std::vector<WideString> errors;
  std::vector<ui::WindowHandle> owners;
  std::vector<WideString> runtimeQuestions;
  std::vector<WideString> installChoices;  // of each runtime question
  std::vector<WideString> progressCaptions;
  std::vector<WideString> progressHeadlines;
  bool cancelProgress = false;  // the user's cancel, asked by the work
  // Answers after the first question: each later one takes the next, then runtimeAnswer again.
  std::vector<ui::RuntimeAnswer> firstRuntimeAnswers;
  std::vector<WideString> checkedFolders;  // what the check said of runtimeAnswer.folder
  std::vector<WideString> exceptions;
  ui::RuntimeAnswer runtimeAnswer;
  ui::ExceptionAnswer exceptionAnswer = ui::ExceptionAnswer::Stop;
};

// An in-memory registry: keys by hive, path and view, each with subkeys and values.
class FakeRegistry final : public platform::Registry {
 public:
  // Adds the HKLM key path (and its parent's subkey entry) with a "JavaHome" value.
  void AddRuntime(const WideString& vendorKey, const WideString& version, const WideString& javaHome,
                  bool view32 = false);
  // Sets a value of a key of the 64-bit view, making the key and every key on its way.
  void SetValue(platform::RegistryHive hive, const WideString& keyPath, const WideString& name,
                const WideString& value);
  std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryHive hive, const WideString& path,
                                                 bool view32) override;

  // Every path asked for, as "HKLM\..." or "HKCU\...", with its view.
  std::vector<std::pair<WideString, bool>> opened;

 private:
  struct Key {
    std::vector<WideString> subkeys;
    std::map<WideString, WideString> values;
  };
  Key& Make(platform::RegistryHive hive, const WideString& path, bool view32);

  std::map<std::tuple<platform::RegistryHive, WideString, bool>, Key> keys_;
};

// Keeps the lines of a trace, without the stamp a trace file adds.
class RecordingTrace final : public Trace {
 public:
  bool Enabled() const override { return true; }
  void Write(std::string_view line) override { lines.emplace_back(line); }

  // The lines of one event, in order.
  std::vector<std::string> Events(std::string_view event) const;
  // Whether a line is there, whole.
  bool Has(std::string_view line) const;

  std::vector<std::string> lines;
};

// A host whose executable lies at modulePath, with built-in settings text; its
// trace is recorded.
struct FakeHost {
  explicit FakeHost(WideString modulePath, std::optional<WideString> builtin = std::nullopt);

  RecordingUi ui;
  FakeRegistry registry;
  RecordingTrace trace;
  app::Host host;
};

// Sets an environment variable for the lifetime of the object, then restores it.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const WideString& name, const std::optional<WideString>& value);
  ~ScopedEnvironment();

 private:
  WideString name_;
  std::optional<WideString> old_;
};

}  // namespace test

}  // namespace launcher

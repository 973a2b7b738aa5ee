#include "test_support.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"

namespace launcher {

namespace test {

namespace fs = std::filesystem;

fs::path NativePath(const WideString& path) {
  if constexpr (sizeof(wchar_t) == 2) {
    return fs::path(path);
  } else {
    return fs::path(platform::ToUtf8(path));
  }
}

WideString FromNative(const fs::path& path) {
  if constexpr (sizeof(wchar_t) == 2) {
    return path.wstring();
  } else {
    return platform::FromUtf8(path.string());
  }
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  root_ = fs::temp_directory_path() / ("launcher-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(root_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

WideString TempDir::Path(const WideString& relative) const {
  WideString root = FromNative(root_);
  return relative.empty() ? root : root + platform::kPathSeparator + relative;
}

void WriteBytes(const WideString& path, const std::string& bytes) {
  fs::path native = NativePath(path);
  fs::create_directories(native.parent_path());
  std::ofstream out(native, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadBytes(const WideString& path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void Touch(const WideString& path) { WriteBytes(path, ""); }

WideString Join(std::initializer_list<WideString> pieces) {
  WideString path;
  bool first = true;
  for (const WideString& piece : pieces) {
    if (!first) path += platform::kPathSeparator;
    path += piece;
    first = false;
  }
  return path;
}

void RecordingUi::ShowError(ui::WindowHandle owner, const WideString& text) {
  errors.push_back(text);
  owners.push_back(owner);
}

ui::RuntimeAnswer RecordingUi::AskForRuntime(ui::WindowHandle, const ui::RuntimeQuestion& question) {
  runtimeQuestions.push_back(question.message);
  installChoices.push_back(question.installChoice);
  if (!firstRuntimeAnswers.empty()) {
    const ui::RuntimeAnswer answer = firstRuntimeAnswers.front();
    firstRuntimeAnswers.erase(firstRuntimeAnswers.begin());
    return answer;
  }
  // As the dialog does, the folder is checked with its trailing separator.
  if (!runtimeAnswer.folder.empty())
    checkedFolders.push_back(question.check(platform::WithTrailingSeparator(runtimeAnswer.folder)));
  return runtimeAnswer;
}

namespace {

class RecordingProgress final : public ui::ProgressSink {
 public:
  RecordingProgress(std::vector<WideString>& headlines, bool cancel) : headlines_(headlines), cancel_(cancel) {}
  void Report(const ui::ProgressState& state) override {
    if (headlines_.empty() || headlines_.back() != state.headline) headlines_.push_back(state.headline);
  }
  bool CancelRequested() override { return cancel_; }

 private:
  std::vector<WideString>& headlines_;
  bool cancel_;
};

}  // namespace

void RecordingUi::RunWithProgress(ui::WindowHandle, const WideString& caption, const ui::BackgroundWork& work) {
  progressCaptions.push_back(caption);
  RecordingProgress progress(progressHeadlines, cancelProgress);
  work(progress);
}

ui::ExceptionAnswer RecordingUi::ShowException(const WideString& trace) {
  exceptions.push_back(trace);
  return exceptionAnswer;
}

namespace {

class FakeKey final : public platform::RegistryKey {
 public:
  FakeKey(std::vector<WideString> subkeys, std::map<WideString, WideString> values)
      : subkeys_(std::move(subkeys)), values_(std::move(values)) {}
  std::optional<WideString> SubkeyName(uint32_t index) override {
    if (index >= subkeys_.size()) return std::nullopt;
    return subkeys_[index];
  }
  std::optional<WideString> TextValue(const WideString& name) override {
    auto found = values_.find(name);
    if (found == values_.end() || found->second.empty()) return std::nullopt;
    WideString text = found->second;
    return text.substr(0, text.find(L'\0'));
  }

 private:
  std::vector<WideString> subkeys_;
  std::map<WideString, WideString> values_;
};

WideString HivePrefix(platform::RegistryHive hive) {
  return hive == platform::RegistryHive::CurrentUser ? L"HKCU\\" : L"HKLM\\";
}

}  // namespace

FakeRegistry::Key& FakeRegistry::Make(platform::RegistryHive hive, const WideString& path, bool view32) {
  const size_t last = path.find_last_of(L'\\', path.empty() ? 0 : path.size() - 2);
  if (last != WideString::npos) {
    // The parent's path keeps its closing backslash, as vendor keys are spelled.
    Key& parent = Make(hive, path.substr(0, last + 1), view32);
    WideString name = path.substr(last + 1);
    if (!name.empty() && name.back() == L'\\') name.pop_back();
    if (std::find(parent.subkeys.begin(), parent.subkeys.end(), name) == parent.subkeys.end()) {
      parent.subkeys.push_back(name);
    }
  }
  return keys_[{hive, path, view32}];
}

void FakeRegistry::AddRuntime(const WideString& vendorKey, const WideString& version, const WideString& javaHome,
                              bool view32) {
  keys_[{platform::RegistryHive::LocalMachine, vendorKey, view32}].subkeys.push_back(version);
  // A value of "" still exists in the registry: it holds the NUL, 2 bytes.
  keys_[{platform::RegistryHive::LocalMachine, vendorKey + version, view32}].values[L"JavaHome"] =
      javaHome + WideString(1, L'\0');
}

void FakeRegistry::SetValue(platform::RegistryHive hive, const WideString& keyPath, const WideString& name,
                            const WideString& value) {
  Make(hive, keyPath, false).values[name] = value + WideString(1, L'\0');
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::OpenKey(platform::RegistryHive hive, const WideString& path,
                                                             bool view32) {
  opened.emplace_back(HivePrefix(hive) + path, view32);
  auto found = keys_.find({hive, path, view32});
  if (found == keys_.end()) return nullptr;
  return std::make_unique<FakeKey>(found->second.subkeys, found->second.values);
}

std::vector<std::string> RecordingTrace::Events(std::string_view event) const {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    if (line.size() > event.size() && line.compare(0, event.size(), event) == 0 && line[event.size()] == ' ') {
      found.push_back(line);
    }
  }
  return found;
}

bool RecordingTrace::Has(std::string_view line) const {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

FakeHost::FakeHost(WideString modulePath, std::optional<WideString> builtin)
    : host{ui, registry, [modulePath] { return platform::SystemResult<WideString>(modulePath); },
           [builtin] { return builtin; }, trace} {}

namespace {

void SetOrUnset(const WideString& name, const std::optional<WideString>& value) {
  if (value) {
    platform::SetEnvironmentValue(name, *value);
  } else {
    platform::UnsetEnvironmentValue(name);
  }
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(const WideString& name, const std::optional<WideString>& value)
    : name_(name), old_(platform::GetEnvironmentValue(name)) {
  SetOrUnset(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() { SetOrUnset(name_, old_); }

}  // namespace test

}  // namespace launcher

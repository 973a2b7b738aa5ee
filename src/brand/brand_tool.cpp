#include "brand/brand_tool.h"

#include <chrono>
#include <thread>

#include "brand/brand_options.h"
#include "brand/image_description.h"
#include "brand/output_file.h"
#include "brand/settings_text.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace launcher::brand {

namespace {

// Bigger inputs cannot be the launcher or its icon; reading stops there.
constexpr size_t kLargestImageBytes = 64 * 1024 * 1024;
constexpr size_t kLargestIconBytes = 16 * 1024 * 1024;

std::string Named(const WideString& path) { return "launcher-brand: " + platform::ToUtf8(path) + ": "; }

ToolOutcome Refused(std::string message) {
  return {.exitCode = kToolRefused, .out = {}, .err = std::move(message) + "\n"};
}

// A file's bytes, or why not: missing or unreadable, or larger than limit.
BrandResult<std::string> ReadInput(const WideString& path, size_t limit) {
  std::string bytes = platform::ReadFileStart(path, limit + 1).value_or("");
  if (bytes.empty()) return BrandError{"cannot be read (missing, empty, or not a regular file)"};
  if (bytes.size() > limit) return BrandError{"is too large (more than " + std::to_string(limit) + " bytes)"};
  return bytes;
}

BrandResult<std::vector<IconImage>> ReadIcon(const WideString& path) {
  BrandResult<std::string> bytes = ReadInput(path, kLargestIconBytes);
  if (!bytes) return bytes.error();
  if (IsPng(*bytes)) {
    BrandResult<IconImage> image = ReadPngIcon(*bytes);
    if (!image) return image.error();
    return std::vector<IconImage>{std::move(*image)};
  }
  return ReadIcoFile(*bytes);
}

// A virus scanner may hold a new file for a moment: the move is tried for
// about a second before the tool gives up.
MoveRetries OutputMoveRetries() {
  return {.attempts = 20, .pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }};
}

ToolOutcome Show(const WideString& path) {
  BrandResult<std::string> file = ReadInput(path, kLargestImageBytes);
  if (!file) return Refused(Named(path) + file.error().message);
  BrandResult<std::string> description = DescribeImage(*file);
  if (!description) return Refused(Named(path) + description.error().message);
  return {.exitCode = 0, .out = *description, .err = {}};
}

ToolOutcome Brand(BrandOptions& options) {
  ToolOutcome outcome;
  if (platform::IsSameFile(options.input, options.output)) {
    return Refused(Named(options.output) + "is the input; the input is never changed, name another output");
  }
  BrandResult<std::string> input = ReadInput(options.input, kLargestImageBytes);
  if (!input) return Refused(Named(options.input) + input.error().message);
  BrandRequest& request = options.request;
  if (options.settingsFile) {
    BrandResult<std::string> settings = ReadInput(*options.settingsFile, kLargestSettingsBytes);
    if (!settings) return Refused(Named(*options.settingsFile) + settings.error().message);
    BrandResult<CheckedSettings> checked = CheckSettingsBytes(*settings);
    if (!checked) return Refused(Named(*options.settingsFile) + checked.error().message);
    if (checked->lineEnds == LineEnds::MadeCrLf) {
      outcome.err += Named(*options.settingsFile) +
                     "lines ending in LF alone are stored ending in CR LF, as the launcher reads them\n";
    }
    for (const std::string& notice : checked->notices) outcome.err += Named(*options.settingsFile) + notice + "\n";
    if (!checked->notices.empty() && options.strictness == SettingsStrictness::Refuse) {
      outcome.exitCode = kToolRefused;
      outcome.err += "launcher-brand: --strict: nothing written\n";
      return outcome;
    }
    request.settings = std::move(checked->bytes);
  }
  if (options.iconFile) {
    BrandResult<std::vector<IconImage>> icon = ReadIcon(*options.iconFile);
    if (!icon) return Refused(Named(*options.iconFile) + icon.error().message);
    request.icon = std::move(*icon);
  }
  if (!options.originalFilenameGiven) {
    request.versionStrings.emplace_back(u"OriginalFilename", platform::ToUtf16(platform::FileNameOf(options.output)));
  }
  BrandResult<std::string> branded = BrandImage(*input, request);
  if (!branded) return Refused(Named(options.input) + branded.error().message);
  BrandResult<bool> written = WriteOutputFile(options.output, *branded, OutputMoveRetries());
  if (!written) return Refused(Named(options.output) + written.error().message);
  return outcome;
}

}  // namespace

ToolOutcome RunBrandTool(const WideStringList& arguments) {
  BrandResult<BrandOptions> options = ParseBrandOptions(arguments);
  if (!options) return Refused("launcher-brand: " + options.error().message);
  return options->show ? Show(options->input) : Brand(*options);
}

}  // namespace launcher::brand

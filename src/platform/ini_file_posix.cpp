#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "platform/unicode.h"
#include "platform/unique_handle.h"

// An INI reader and writer with the behaviour of GetPrivateProfileStringW and
// WritePrivateProfileStringW, so that one settings file means the same on both
// systems. Files are UTF-8 (with or without BOM) or UTF-16 with BOM. Unlike the
// Win32 functions, writing changes only the line it sets or adds: blank lines and
// the layout of every other line stay as they were.

namespace platform {
namespace {

enum class Encoding { Utf8, Utf8Bom, Utf16Le, Utf16Be };

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

struct IniText {
  // A new file starts with a UTF-8 BOM, so that Windows too reads it as UTF-8
  // rather than in its ANSI code page.
  Encoding encoding = Encoding::Utf8Bom;
  WideStringList lines;        // without their line ends
  WideString lineEnd = L"\n";  // the file's own, kept when writing
};

struct DescriptorTraits {
  using Type = int;
  static Type Invalid() { return -1; }
  static void Close(Type descriptor) { close(descriptor); }
};

// White space as the Win32 functions see it, ^Z (the DOS end of file) included.
bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

WideString Trim(const WideString& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Only ASCII letters fold, as in the Win32 functions we are tested against; towlower
// would make the match depend on the process locale.
wchar_t FoldCase(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameName(const WideString& a, const WideString& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

std::optional<std::string> ReadAll(int descriptor) {
  std::string bytes;
  char chunk[4096];
  for (;;) {
    ssize_t count = read(descriptor, chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::nullopt;
    if (count == 0) return bytes;
    bytes.append(chunk, static_cast<size_t>(count));
  }
}

Encoding EncodingOf(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return Encoding::Utf8Bom;
  if (bytes.starts_with(kUtf16LeBom)) return Encoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeBom)) return Encoding::Utf16Be;
  return Encoding::Utf8;
}

WideString FromUtf16Bytes(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned first = static_cast<unsigned char>(bytes[i]);
    const unsigned second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return FromUtf16(units);
}

std::string ToUtf16Bytes(const WideString& text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : ToUtf16(text)) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  }
  return bytes;
}

WideString Decode(std::string_view bytes, Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf8Bom:
      return FromUtf8(bytes.substr(kUtf8Bom.size()));
    case Encoding::Utf16Le:
      return FromUtf16Bytes(bytes.substr(kUtf16LeBom.size()), false);
    case Encoding::Utf16Be:
      return FromUtf16Bytes(bytes.substr(kUtf16BeBom.size()), true);
    case Encoding::Utf8:
      break;
  }
  return FromUtf8(bytes);
}

std::string Encode(const WideString& text, Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf8Bom:
      return std::string(kUtf8Bom) + ToUtf8(text);
    case Encoding::Utf16Le:
      return std::string(kUtf16LeBom) + ToUtf16Bytes(text, false);
    case Encoding::Utf16Be:
      return std::string(kUtf16BeBom) + ToUtf16Bytes(text, true);
    case Encoding::Utf8:
      break;
  }
  return ToUtf8(text);
}

void SplitLines(const WideString& text, IniText& ini) {
  if (text.find(L"\r\n") != WideString::npos) ini.lineEnd = L"\r\n";
  WideString line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      ini.lines.push_back(line);
      line.clear();
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) ini.lines.push_back(line);
}

// The file's text; an empty new one when it is missing, nullopt when it is there
// but cannot be read (then writing must fail rather than replace it).
std::optional<IniText> Load(const WideString& path) {
  IniText ini;
  UniqueHandle<DescriptorTraits> file(open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) return errno == ENOENT ? std::optional<IniText>(ini) : std::nullopt;
  std::optional<std::string> bytes = ReadAll(file.Get());
  if (!bytes) return std::nullopt;
  ini.encoding = EncodingOf(*bytes);
  SplitLines(Decode(*bytes, ini.encoding), ini);
  return ini;
}

std::string Encode(const IniText& ini) {
  WideString text;
  for (const WideString& line : ini.lines) text += line + ini.lineEnd;
  return Encode(text, ini.encoding);
}

// The section a line opens: the name between "[" and the last "]". A line with no
// closing bracket opens none; it is read as a key of the section it stands in.
std::optional<WideString> SectionOf(const WideString& line) {
  WideString trimmed = Trim(line);
  size_t close = trimmed.rfind(L']');
  if (trimmed.empty() || trimmed[0] != L'[' || close == WideString::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

// The key a line sets and its value. As in Win32, a line without "=" is a key with
// an empty value, and a comment line is a key that no ordinary name matches.
std::optional<std::pair<WideString, WideString>> EntryOf(const WideString& line) {
  if (Trim(line).empty()) return std::nullopt;
  size_t equals = line.find(L'=');
  if (equals == WideString::npos) return std::make_pair(Trim(line), WideString());
  return std::make_pair(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

// Line ranges: the index of the line that opens the first section of that name,
// and the index after its last line; nullopt when the section is not there. Later
// sections of the same name are not searched, as in Win32.
std::optional<std::pair<size_t, size_t>> FindSection(const IniText& ini, const WideString& section) {
  const WideString wanted = Trim(section);
  for (size_t i = 0; i < ini.lines.size(); ++i) {
    std::optional<WideString> name = SectionOf(ini.lines[i]);
    if (!name || !SameName(*name, wanted)) continue;
    size_t end = i + 1;
    while (end < ini.lines.size() && !SectionOf(ini.lines[end])) ++end;
    return std::make_pair(i, end);
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const IniText& ini, std::pair<size_t, size_t> range, const WideString& key) {
  const WideString wanted = Trim(key);
  for (size_t i = range.first + 1; i < range.second; ++i) {
    std::optional<std::pair<WideString, WideString>> entry = EntryOf(ini.lines[i]);
    if (entry && SameName(entry->first, wanted)) return i;
  }
  return std::nullopt;
}

WideString WithoutQuotes(const WideString& value) {
  if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// A key's line with a new value: the key keeps its own spelling and the line its
// layout up to where the old value began.
WideString WithValue(const WideString& line, const WideString& value) {
  size_t equals = line.find(L'=');
  if (equals == WideString::npos) return Trim(line) + L"=" + value;
  size_t start = equals + 1;
  while (start < line.size() && IsBlank(line[start])) ++start;
  return line.substr(0, start) + value;
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::optional<mode_t> PermissionsOf(const std::string& name) {
  struct stat info;
  if (stat(name.c_str(), &info) != 0) return std::nullopt;
  return info.st_mode & 07777;
}

// A new file gets the permissions that the umask allows; a replaced one keeps its own.
bool WriteWhole(const std::string& name, std::string_view bytes, std::optional<mode_t> permissions) {
  UniqueHandle<DescriptorTraits> file(open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  return file && WriteAll(file.Get(), bytes) && (!permissions || fchmod(file.Get(), *permissions) == 0) &&
         fsync(file.Get()) == 0;
}

// Writes beside the file and renames over it, so a failed write never leaves a
// settings file half written.
bool Store(const WideString& path, const std::string& bytes) {
  const std::string target = ToUtf8(path);
  const std::string temporary = target + ".tmp" + std::to_string(getpid());
  if (!WriteWhole(temporary, bytes, PermissionsOf(target)) || std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

WideString ValueOf(const WideString& section, const WideString& key, const WideString& path) {
  std::optional<IniText> ini = Load(path);
  if (!ini) return {};
  std::optional<std::pair<size_t, size_t>> range = FindSection(*ini, section);
  if (!range) return {};
  std::optional<size_t> line = FindKey(*ini, *range, key);
  return line ? WithoutQuotes(EntryOf(ini->lines[*line])->second) : WideString();
}

}  // namespace

uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer, uint32_t size,
                       const WideString& path) {
  if (size == 0) return 0;
  const WideString value = ValueOf(section, key, path);
  size_t length = std::min<size_t>(value.size(), size - 1);
  value.copy(buffer, length);
  buffer[length] = L'\0';
  return static_cast<uint32_t>(length);
}

bool WriteIniString(const WideString& section, const WideString& key, const WideString& value, const WideString& path) {
  std::optional<IniText> loaded = Load(path);
  if (!loaded) return false;
  IniText& ini = *loaded;
  std::optional<std::pair<size_t, size_t>> range = FindSection(ini, section);
  if (!range) {
    ini.lines.push_back(L"[" + Trim(section) + L"]");
    ini.lines.push_back(Trim(key) + L"=" + value);
  } else if (std::optional<size_t> existing = FindKey(ini, *range, key)) {
    ini.lines[*existing] = WithValue(ini.lines[*existing], value);
  } else {
    size_t insertAt = range->second;
    while (insertAt > range->first + 1 && Trim(ini.lines[insertAt - 1]).empty()) --insertAt;
    ini.lines.insert(ini.lines.begin() + static_cast<long>(insertAt), Trim(key) + L"=" + value);
  }
  return Store(path, Encode(ini));
}

}  // namespace platform

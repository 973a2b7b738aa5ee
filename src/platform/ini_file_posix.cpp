#include "platform/ini_file.h"

#include <cstdio>
#include <cwctype>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>

#include "platform/unicode.h"

// An INI reader and writer with the behaviour of GetPrivateProfileStringW and
// WritePrivateProfileStringW, so that one settings file means the same on both
// systems. Files are UTF-8 (with or without BOM) or UTF-16LE with BOM.

namespace platform {
namespace {

enum class Encoding { Utf8, Utf8Bom, Utf16Le };

struct IniText {
  Encoding encoding = Encoding::Utf8;
  WideStringList lines;                  // without their line ends
  WideString lineEnd = L"\n";            // the file's own, kept when writing
};

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

WideString Trim(const WideString& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool SameName(const WideString& a, const WideString& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

std::optional<std::string> ReadFile(const WideString& path) {
  std::ifstream in(ToUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

IniText Load(const WideString& path) {
  IniText ini;
  std::optional<std::string> bytes = ReadFile(path);
  if (!bytes) return ini;
  if (bytes->size() >= 2 && static_cast<unsigned char>((*bytes)[0]) == 0xFF &&
      static_cast<unsigned char>((*bytes)[1]) == 0xFE) {
    ini.encoding = Encoding::Utf16Le;
  } else if (bytes->rfind("\xEF\xBB\xBF", 0) == 0) {
    ini.encoding = Encoding::Utf8Bom;
  }
  WideString text = DecodeText(*bytes);
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
  return ini;
}

// The section a line opens, if it opens one.
std::optional<WideString> SectionOf(const WideString& line) {
  WideString trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] != L'[') return std::nullopt;
  size_t close = trimmed.rfind(L']');
  if (close == WideString::npos) close = trimmed.size();
  return Trim(trimmed.substr(1, close - 1));
}

bool IsComment(const WideString& line) {
  WideString trimmed = Trim(line);
  return !trimmed.empty() && trimmed[0] == L';';
}

// The key a line sets and its value, if it sets one.
std::optional<std::pair<WideString, WideString>> EntryOf(const WideString& line) {
  if (IsComment(line) || Trim(line).empty()) return std::nullopt;
  size_t equals = line.find(L'=');
  if (equals == WideString::npos) return std::make_pair(Trim(line), WideString());
  return std::make_pair(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

// Line ranges: the index of the line that opens the first section of that name,
// and the index after its last line; nullopt when the section is not there.
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

std::string Encode(const IniText& ini) {
  WideString text;
  for (const WideString& line : ini.lines) text += line + ini.lineEnd;
  if (ini.encoding != Encoding::Utf16Le) {
    return (ini.encoding == Encoding::Utf8Bom ? "\xEF\xBB\xBF" : "") + ToUtf8(text);
  }
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : ToUtf16(text)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// Writes beside the file and renames over it, so a failed write never leaves a
// settings file half written.
bool Store(const WideString& path, const std::string& bytes) {
  std::string target = ToUtf8(path);
  std::string temporary = target + ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer, uint32_t size,
                          const WideString& path) {
  if (size == 0) return 0;
  WideString value;
  IniText ini = Load(path);
  if (std::optional<std::pair<size_t, size_t>> range = FindSection(ini, section)) {
    if (std::optional<size_t> line = FindKey(ini, *range, key)) value = WithoutQuotes(EntryOf(ini.lines[*line])->second);
  }
  size_t length = std::min<size_t>(value.size(), size - 1);
  value.copy(buffer, length);
  buffer[length] = L'\0';
  return static_cast<uint32_t>(length);
}

bool WriteIniString(const WideString& section, const WideString& key, const WideString& value,
                        const WideString& path) {
  IniText ini = Load(path);
  const WideString line = Trim(key) + L"=" + value;
  std::optional<std::pair<size_t, size_t>> range = FindSection(ini, section);
  if (!range) {
    ini.lines.push_back(L"[" + Trim(section) + L"]");
    ini.lines.push_back(line);
  } else if (std::optional<size_t> existing = FindKey(ini, *range, key)) {
    ini.lines[*existing] = line;
  } else {
    size_t insertAt = range->second;
    while (insertAt > range->first + 1 && Trim(ini.lines[insertAt - 1]).empty()) --insertAt;
    ini.lines.insert(ini.lines.begin() + static_cast<long>(insertAt), line);
  }
  return Store(path, Encode(ini));
}

}  // namespace platform

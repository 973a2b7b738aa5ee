#include "brand/version_info.h"

#include <algorithm>

#include "common/little_endian.h"

namespace launcher::brand {

namespace {

constexpr uint32_t kFixedSignature = 0xFEEF04BD;
constexpr uint32_t kFixedSize = 52;
constexpr uint32_t kOsNtWindows32 = 0x40004;
constexpr uint32_t kFileTypeApplication = 1;
constexpr uint32_t kFileFlagsMask = 0x3F;
constexpr uint16_t kTypeText = 1;
constexpr uint16_t kTypeBinary = 0;

// The names Windows' file properties show, in one fixed order so that the
// resource comes out the same whatever order the options came in.
constexpr std::array<std::u16string_view, 10> kKnownNames{
    u"Comments",       u"CompanyName",     u"FileDescription",  u"FileVersion", u"InternalName",
    u"LegalCopyright", u"LegalTrademarks", u"OriginalFilename", u"ProductName", u"ProductVersion"};

void AppendText(std::string& out, std::u16string_view text) {
  for (char16_t unit : text) AppendU16(out, static_cast<uint16_t>(unit));
  AppendU16(out, 0);
}

// One block: length, value length, type, key, padding, value, padding, children.
std::string Block(std::u16string_view key, std::string_view value, uint16_t valueLength, uint16_t type,
                  std::string_view children) {
  std::string out(6, '\0');
  AppendText(out, key);
  PadTo(out, 4);
  out += value;
  if (!children.empty()) PadTo(out, 4);
  out += children;
  ByteWriter header(out);
  header.PutU16(0, static_cast<uint16_t>(out.size()));
  header.PutU16(2, valueLength);
  header.PutU16(4, type);
  return out;
}

std::string FixedPart(const VersionInfo& info) {
  auto high = [](const FourPartVersion& v) { return (uint32_t{v[0]} << 16) | v[1]; };
  auto low = [](const FourPartVersion& v) { return (uint32_t{v[2]} << 16) | v[3]; };
  std::string out;
  for (uint32_t value :
       {kFixedSignature, 0x00010000u, high(info.fileVersion), low(info.fileVersion), high(info.productVersion),
        low(info.productVersion), kFileFlagsMask, 0u, kOsNtWindows32, kFileTypeApplication, 0u, 0u, 0u}) {
    AppendU32(out, value);
  }
  return out;
}

std::string StringBlock(std::u16string_view name, std::u16string_view value) {
  std::string text;
  AppendText(text, value);
  std::string block = Block(name, text, static_cast<uint16_t>(value.size() + 1), kTypeText, {});
  PadTo(block, 4);
  return block;
}

// Reads a block's header and key; children start at the returned offset.
struct BlockHeader {
  uint16_t length = 0;
  uint16_t valueLength = 0;
  std::u16string key;
  uint32_t valueAt = 0;
};

std::optional<BlockHeader> ReadBlock(const ByteReader& bytes, uint32_t at, uint32_t end) {
  BlockHeader header{.length = bytes.U16(at), .valueLength = bytes.U16(at + 2), .key = {}, .valueAt = 0};
  if (header.length < 6 || at + header.length > end || !bytes.Has(at, header.length)) return std::nullopt;
  uint32_t cursor = at + 6;
  while (cursor + 2 <= at + header.length && bytes.U16(cursor) != 0) {
    header.key.push_back(static_cast<char16_t>(bytes.U16(cursor)));
    cursor += 2;
  }
  header.valueAt = static_cast<uint32_t>(AlignUp(cursor + 2, 4));
  return header;
}

FourPartVersion VersionOf(uint32_t high, uint32_t low) {
  return {static_cast<uint16_t>(high >> 16), static_cast<uint16_t>(high), static_cast<uint16_t>(low >> 16),
          static_cast<uint16_t>(low)};
}

void ReadStrings(const ByteReader& bytes, uint32_t at, uint32_t end, VersionInfo& info) {
  while (at < end) {
    std::optional<BlockHeader> text = ReadBlock(bytes, at, end);
    if (!text) return;
    std::u16string value;
    for (uint32_t cursor = text->valueAt; cursor + 2 <= at + text->length && bytes.U16(cursor) != 0; cursor += 2) {
      value.push_back(static_cast<char16_t>(bytes.U16(cursor)));
    }
    info.strings.emplace_back(text->key, value);
    at = static_cast<uint32_t>(AlignUp(at + text->length, 4));
  }
}

}  // namespace

std::optional<std::u16string> VersionInfo::Find(std::u16string_view name) const {
  for (const auto& [key, value] : strings) {
    if (key == name) return value;
  }
  return std::nullopt;
}

void VersionInfo::Set(std::u16string_view name, std::u16string value) {
  for (auto& [key, old] : strings) {
    if (key == name) {
      old = std::move(value);
      return;
    }
  }
  strings.emplace_back(std::u16string(name), std::move(value));
}

BrandResult<FourPartVersion> ParseFourPartVersion(std::string_view text) {
  const BrandError bad{"\"" + std::string(text) + "\" is not a version of four numbers 0-65535 (A.B.C.D)"};
  FourPartVersion version{};
  size_t part = 0;
  uint32_t value = 0;
  size_t digits = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '.') {
      if (digits == 0 || part == 4) return bad;
      version[part++] = static_cast<uint16_t>(value);
      value = 0;
      digits = 0;
      continue;
    }
    if (text[i] < '0' || text[i] > '9' || ++digits > 5) return bad;
    value = value * 10 + static_cast<uint32_t>(text[i] - '0');
    if (value > 0xFFFF) return bad;
  }
  if (part != 4) return bad;
  return version;
}

std::string FormatFourPartVersion(const FourPartVersion& version) {
  return std::to_string(version[0]) + "." + std::to_string(version[1]) + "." + std::to_string(version[2]) + "." +
         std::to_string(version[3]);
}

std::optional<VersionInfo> ParseVersionInfo(std::string_view resource) {
  const ByteReader bytes(resource);
  std::optional<BlockHeader> root = ReadBlock(bytes, 0, static_cast<uint32_t>(resource.size()));
  if (!root || root->key != u"VS_VERSION_INFO" || root->valueLength != kFixedSize ||
      bytes.U32(root->valueAt) != kFixedSignature || !bytes.Has(root->valueAt, kFixedSize)) {
    return std::nullopt;
  }
  VersionInfo info;
  info.fileVersion = VersionOf(bytes.U32(root->valueAt + 8), bytes.U32(root->valueAt + 12));
  info.productVersion = VersionOf(bytes.U32(root->valueAt + 16), bytes.U32(root->valueAt + 20));
  const uint32_t end = root->length;
  uint32_t at = static_cast<uint32_t>(AlignUp(root->valueAt + kFixedSize, 4));
  while (at < end) {
    std::optional<BlockHeader> child = ReadBlock(bytes, at, end);
    if (!child) break;
    if (child->key == u"StringFileInfo") {
      std::optional<BlockHeader> table = ReadBlock(bytes, child->valueAt, at + child->length);
      if (table) ReadStrings(bytes, table->valueAt, child->valueAt + table->length, info);
      break;
    }
    at = static_cast<uint32_t>(AlignUp(at + child->length, 4));
  }
  return info;
}

BrandResult<std::string> BuildVersionInfo(const VersionInfo& info) {
  std::string strings;
  for (std::u16string_view name : kKnownNames) {
    std::optional<std::u16string> value = info.Find(name);
    if (value && !value->empty()) strings += StringBlock(name, *value);
  }
  for (const auto& [name, value] : info.strings) {
    if (std::find(kKnownNames.begin(), kKnownNames.end(), name) == kKnownNames.end() && !value.empty()) {
      strings += StringBlock(name, value);
    }
  }
  std::string table = Block(u"040904B0", {}, 0, kTypeText, strings);
  PadTo(table, 4);
  std::string translation;
  AppendU32(translation, 0x04B00409);
  std::string var = Block(u"Translation", translation, 4, kTypeBinary, {});
  std::string children = Block(u"StringFileInfo", {}, 0, kTypeText, table);
  PadTo(children, 4);
  children += Block(u"VarFileInfo", {}, 0, kTypeText, var);
  std::string resource = Block(u"VS_VERSION_INFO", FixedPart(info), kFixedSize, kTypeBinary, children);
  // Every block lies inside this one, so when its length fits 16 bits, all do.
  if (resource.size() > kLargestVersionInfo) {
    return BrandError{"the version strings make the version information larger than it can be (" +
                      std::to_string(kLargestVersionInfo) + " bytes); shorten them"};
  }
  return resource;
}

}  // namespace launcher::brand

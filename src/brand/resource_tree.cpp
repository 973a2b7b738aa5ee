#include "brand/resource_tree.h"

#include <algorithm>
#include <set>

#include "common/little_endian.h"

namespace launcher::brand {

namespace {

constexpr uint32_t kSubdirectoryFlag = 0x80000000;
constexpr uint32_t kNameFlag = 0x80000000;
// A directory table: a 16-byte header whose last two fields count its named
// and numbered entries, then 8-byte entries (name or id, then the subtable or
// data entry). A data entry: the data's RVA, its size and its code page.
constexpr uint32_t kTableHeaderSize = 16;
constexpr uint32_t kTableNamedCount = 12;
constexpr uint32_t kTableIdCount = 14;
constexpr uint32_t kTableEntrySize = 8;
constexpr uint32_t kEntryTarget = 4;
constexpr uint32_t kDataEntrySize = 16;
constexpr uint32_t kDataSize = 4;
constexpr uint32_t kDataCodePage = 8;

BrandError Corrupt(const std::string& why) { return {"resource section is corrupt (" + why + ")"}; }

class TreeReader {
 public:
  TreeReader(std::string_view section, uint32_t rva) : section_(section), rva_(rva) {}

  BrandResult<ResourceList> Read() {
    ResourceEntry path;
    if (!ReadTable(0, 0, path)) return Corrupt(why_);
    return std::move(list_);
  }

 private:
  bool Fail(std::string why) {
    why_ = std::move(why);
    return false;
  }

  // Every byte a name or a leaf copies counts, so that entries pointing at one
  // long name or at one large piece of data cannot multiply it.
  bool Copying(uint64_t bytes) {
    copied_ += bytes;
    if (copied_ <= kLargestResourceBytes) return true;
    return Fail("more than " + std::to_string(kLargestResourceBytes >> 20) + " MB of resources");
  }

  bool ReadKey(uint32_t field, ResourceKey& key) {
    if ((field & kNameFlag) == 0) {
      if (field > 0xFFFF) return Fail("resource number out of range");
      key = ResourceKey::Number(static_cast<uint16_t>(field));
      return true;
    }
    const uint32_t at = field & ~kNameFlag;
    const uint16_t length = section_.U16(at);
    if (length == 0 || !section_.Has(at + 2, uint64_t{length} * 2)) return Fail("resource name out of range");
    if (!Copying(uint64_t{length} * 2)) return false;
    std::u16string name;
    for (uint32_t i = 0; i < length; ++i) name.push_back(static_cast<char16_t>(section_.U16(at + 2 + i * 2)));
    key = ResourceKey::Named(std::move(name));
    return true;
  }

  bool ReadLeaf(uint32_t at, ResourceEntry& path) {
    if (!section_.Has(at, kDataEntrySize)) return Fail("data entry out of range");
    if (!dataEntries_.insert(at).second) return Fail("a data entry used twice");
    if (list_.size() == kMostResources) return Fail("more than " + std::to_string(kMostResources) + " resources");
    const uint32_t dataRva = section_.U32(at);
    const uint32_t size = section_.U32(at + kDataSize);
    if (dataRva < rva_ || !section_.Has(dataRva - rva_, size)) return Fail("resource data outside the section");
    if (!Copying(size + (path.type.name.size() + path.name.name.size()) * 2)) return false;
    path.codePage = section_.U32(at + kDataCodePage);
    path.data = std::string(section_.Slice(dataRva - rva_, size));
    list_.push_back(path);
    return true;
  }

  bool ReadTable(uint32_t at, int level, ResourceEntry& path) {
    if (!section_.Has(at, kTableHeaderSize)) return Fail("directory table out of range");
    // A table reached twice would list its subtree twice, or for ever in a loop.
    if (!tables_.insert(at).second) return Fail("a directory table reached twice");
    const uint32_t count = uint32_t{section_.U16(at + kTableNamedCount)} + section_.U16(at + kTableIdCount);
    if (!section_.Has(at + kTableHeaderSize, uint64_t{count} * kTableEntrySize)) {
      return Fail("directory entries cut short");
    }
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t entry = at + kTableHeaderSize + i * kTableEntrySize;
      const uint32_t target = section_.U32(entry + kEntryTarget);
      ResourceKey key;
      if (!ReadKey(section_.U32(entry), key)) return false;
      if (level == 0) path.type = key;
      if (level == 1) path.name = key;
      if (level == 2) {
        if (key.IsNamed()) return Fail("a language given as a name");
        path.language = key.id;
      }
      const bool subdirectory = (target & kSubdirectoryFlag) != 0;
      if (subdirectory != (level < 2)) return Fail("a leaf at the wrong depth");
      if (!(subdirectory ? ReadTable(target & ~kSubdirectoryFlag, level + 1, path) : ReadLeaf(target, path))) {
        return false;
      }
    }
    return true;
  }

  ByteReader section_;
  uint32_t rva_;
  ResourceList list_;
  std::set<uint32_t> tables_;
  std::set<uint32_t> dataEntries_;
  uint64_t copied_ = 0;
  std::string why_;
};

// The directory as it is laid out: types, their names, their languages' leaves.
struct NameNode {
  ResourceKey name;
  std::vector<size_t> leaves;  // indices of the resources, one per language
};

struct TypeNode {
  ResourceKey type;
  std::vector<NameNode> names;
};

std::vector<TypeNode> GroupSorted(const ResourceList& resources) {
  std::vector<TypeNode> types;
  for (size_t i = 0; i < resources.size(); ++i) {
    const ResourceEntry& entry = resources[i];
    if (types.empty() || types.back().type != entry.type) types.push_back({entry.type, {}});
    std::vector<NameNode>& names = types.back().names;
    if (names.empty() || names.back().name != entry.name) names.push_back({entry.name, {}});
    std::vector<size_t>& leaves = names.back().leaves;
    // Of two leaves with one key, the first stays: the directory cannot hold both.
    if (!leaves.empty() && resources[leaves.back()].language == entry.language) continue;
    leaves.push_back(i);
  }
  return types;
}

uint32_t TableSize(size_t entries) { return kTableHeaderSize + static_cast<uint32_t>(entries) * kTableEntrySize; }

void AppendTableHeader(std::string& out, const std::vector<ResourceKey>& keys) {
  const auto named = static_cast<uint16_t>(
      std::count_if(keys.begin(), keys.end(), [](const ResourceKey& key) { return key.IsNamed(); }));
  AppendU32(out, 0);  // characteristics
  AppendU32(out, 0);  // time stamp: none, so that equal inputs give equal bytes
  AppendU32(out, 0);  // version
  AppendU16(out, named);
  AppendU16(out, static_cast<uint16_t>(keys.size() - named));
}

// Lays out the names once each, in the order they are met, and answers their offsets.
class NameStrings {
 public:
  explicit NameStrings(uint32_t base) : base_(base) {}
  uint32_t Field(const ResourceKey& key) {
    if (!key.IsNamed()) return key.id;
    const uint32_t at = base_ + static_cast<uint32_t>(bytes_.size());
    AppendU16(bytes_, static_cast<uint16_t>(key.name.size()));
    for (char16_t unit : key.name) AppendU16(bytes_, static_cast<uint16_t>(unit));
    return at | kNameFlag;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  uint32_t base_;
  std::string bytes_;
};

}  // namespace

std::strong_ordering ResourceKey::operator<=>(const ResourceKey& other) const {
  if (IsNamed() != other.IsNamed()) return IsNamed() ? std::strong_ordering::less : std::strong_ordering::greater;
  if (IsNamed()) return name <=> other.name;
  return id <=> other.id;
}

BrandResult<ResourceList> ParseResources(std::string_view section, uint32_t sectionRva) {
  return TreeReader(section, sectionRva).Read();
}

std::vector<const ResourceEntry*> FindResources(const ResourceList& resources, const ResourceKey& type) {
  std::vector<const ResourceEntry*> found;
  for (const ResourceEntry& entry : resources) {
    if (entry.type == type) found.push_back(&entry);
  }
  return found;
}

std::string BuildResourceSection(ResourceList resources, uint32_t sectionRva) {
  std::stable_sort(resources.begin(), resources.end(), [](const ResourceEntry& a, const ResourceEntry& b) {
    if (a.type != b.type) return a.type < b.type;
    if (a.name != b.name) return a.name < b.name;
    return a.language < b.language;
  });
  const std::vector<TypeNode> types = GroupSorted(resources);

  // Offsets of every table, then of the strings, the data entries and the data.
  uint32_t offset = TableSize(types.size());
  std::vector<uint32_t> typeTableAt;
  for (const TypeNode& type : types) {
    typeTableAt.push_back(offset);
    offset += TableSize(type.names.size());
  }
  std::vector<std::vector<uint32_t>> nameTableAt;
  size_t leafCount = 0;
  for (const TypeNode& type : types) {
    nameTableAt.emplace_back();
    for (const NameNode& name : type.names) {
      nameTableAt.back().push_back(offset);
      offset += TableSize(name.leaves.size());
      leafCount += name.leaves.size();
    }
  }
  NameStrings strings(offset);
  std::vector<uint32_t> typeFields;
  std::vector<std::vector<uint32_t>> nameFields;
  for (const TypeNode& type : types) {
    typeFields.push_back(strings.Field(type.type));
    nameFields.emplace_back();
    for (const NameNode& name : type.names) nameFields.back().push_back(strings.Field(name.name));
  }
  const uint32_t dataEntriesAt = static_cast<uint32_t>(AlignUp(offset + strings.bytes().size(), 8));
  const uint32_t dataAt = dataEntriesAt + static_cast<uint32_t>(leafCount) * kDataEntrySize;

  std::string out;
  std::vector<ResourceKey> keys;
  for (const TypeNode& type : types) keys.push_back(type.type);
  AppendTableHeader(out, keys);
  for (size_t t = 0; t < types.size(); ++t) {
    AppendU32(out, typeFields[t]);
    AppendU32(out, typeTableAt[t] | kSubdirectoryFlag);
  }
  for (size_t t = 0; t < types.size(); ++t) {
    keys.clear();
    for (const NameNode& name : types[t].names) keys.push_back(name.name);
    AppendTableHeader(out, keys);
    for (size_t n = 0; n < types[t].names.size(); ++n) {
      AppendU32(out, nameFields[t][n]);
      AppendU32(out, nameTableAt[t][n] | kSubdirectoryFlag);
    }
  }
  uint32_t leafEntry = dataEntriesAt;
  for (const TypeNode& type : types) {
    for (const NameNode& name : type.names) {
      keys.assign(name.leaves.size(), ResourceKey{});
      AppendTableHeader(out, keys);
      for (size_t leaf : name.leaves) {
        AppendU32(out, resources[leaf].language);
        AppendU32(out, leafEntry);
        leafEntry += kDataEntrySize;
      }
    }
  }
  out += strings.bytes();
  PadTo(out, 8);
  std::string data;
  for (const TypeNode& type : types) {
    for (const NameNode& name : type.names) {
      for (size_t leaf : name.leaves) {
        const ResourceEntry& entry = resources[leaf];
        AppendU32(out, sectionRva + dataAt + static_cast<uint32_t>(data.size()));
        AppendU32(out, static_cast<uint32_t>(entry.data.size()));
        AppendU32(out, entry.codePage);
        AppendU32(out, 0);
        data += entry.data;
        PadTo(data, 8);
      }
    }
  }
  return out + data;
}

}  // namespace launcher::brand

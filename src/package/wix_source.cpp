#include "package/wix_source.h"

#include <cctype>
#include <map>
#include <set>

namespace launcher::package {

namespace {

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + Escaped(value) + "\"";
}

std::string ScopeName(InstallScope scope) { return scope == InstallScope::PerUser ? "perUser" : "perMachine"; }

std::string ParentOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LastPart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The registry value that stands for a component on this machine: Windows
// Installer wants a per-user component's key path in HKCU, never a file in
// the user's profile. Every component is a 64-bit one (Win64), so that its
// HKLM values land in the 64-bit view, not under Wow6432Node.
std::string KeyPathValue(const ProductFacts& product, std::string_view name) {
  return "<RegistryValue" + Attribute("Root", product.scope == InstallScope::PerUser ? "HKCU" : "HKLM") +
         Attribute("Key", "Software\\" + product.publisher + "\\" + product.name) + Attribute("Name", name) +
         " Type=\"integer\" Value=\"1\" KeyPath=\"yes\"/>";
}

// The program's class for the association: letters and digits of the
// program's name, a dot, the extension's.
std::string ProgIdOf(const std::string& exeName, const std::string& extension) {
  std::string progId;
  for (const char c : exeName.substr(0, exeName.size() - 4)) {
    if (std::isalnum(static_cast<unsigned char>(c))) progId += c;
  }
  return (progId.empty() ? "Application" : progId) + "." + extension.substr(1);
}

class SourceWriter {
 public:
  SourceWriter(const WixInput& input, const GuidOf& guidOf) : input_(input), guidOf_(guidOf) {
    folders_.insert("");
    for (const std::string& path : input.paths) {
      for (std::string folder = ParentOf(path); !folder.empty(); folder = ParentOf(folder)) folders_.insert(folder);
      filesIn_[ParentOf(path)].push_back(path);
    }
    size_t number = 0;
    for (const std::string& folder : folders_)
      folderIds_[folder] = folder.empty() ? "INSTALLDIR" : "d" + std::to_string(++number);
  }

  std::string Source() {
    const ProductFacts& product = input_.product;
    const bool perUser = product.scope == InstallScope::PerUser;
    Line("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    Line("<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">");
    Line("  <Product" + Attribute("Id", input_.codes.product) + Attribute("Name", product.name) + " Language=\"1033\"" +
         Attribute("Version", product.version) + Attribute("Manufacturer", product.publisher) +
         Attribute("UpgradeCode", product.upgradeCode) + ">");
    Line("    <Package" + Attribute("Id", input_.codes.package) + " InstallerVersion=\"500\" Compressed=\"yes\"" +
         Attribute("InstallScope", ScopeName(product.scope)) + Attribute("Manufacturer", product.publisher) +
         Attribute("Description", product.name + " " + product.version) + "/>");
    // wixl writes ALLUSERS=1 itself for a per-machine package (a second row
    // would fail the build); a per-user one asks for it through these two.
    if (perUser) {
      Line("    <Property Id=\"ALLUSERS\" Value=\"2\"/>");
      Line("    <Property Id=\"MSIINSTALLPERUSER\" Value=\"1\"/>");
    }
    Line("    <MajorUpgrade" +
         Attribute("DowngradeErrorMessage", "A newer version of " + product.name + " is already installed.") + "/>");
    Line("    <Media Id=\"1\" Cabinet=\"files.cab\" EmbedCab=\"yes\"/>");
    Line("    <Icon Id=\"program.exe\"" + Attribute("SourceFile", SourceOf(input_.exeName)) + "/>");
    Line("    <Property Id=\"ARPPRODUCTICON\" Value=\"program.exe\"/>");
    Line("    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">");
    if (perUser) {
      Line("      <Directory Id=\"LocalAppDataFolder\">");
      Line("        <Directory Id=\"ProgramsFolder\" Name=\"Programs\">");
      // A folder made under the user's profile is removed with the product
      // when nothing else is left in it.
      Line("          <Component Id=\"programs\" Win64=\"yes\"" + Attribute("Guid", Guid("programs folder")) + ">");
      Line("            " + KeyPathValue(product, "programs folder"));
      Line("            <RemoveFolder Id=\"rProgramsFolder\" On=\"uninstall\"/>");
      Line("          </Component>");
      components_.push_back("programs");
      Folder("", 10);
      Line("        </Directory>");
    } else {
      Line("      <Directory Id=\"ProgramFiles64Folder\">");
      Folder("", 8);
    }
    Line("      </Directory>");
    Line("      <Directory Id=\"ProgramMenuFolder\">");
    Line("        <Component Id=\"shortcut\" Win64=\"yes\"" + Attribute("Guid", Guid("shortcut")) + ">");
    Line("          <Shortcut Id=\"StartMenuShortcut\"" + Attribute("Name", product.name) +
         " Target=\"[#program]\" WorkingDirectory=\"INSTALLDIR\"/>");
    Line("          " + KeyPathValue(product, "shortcut"));
    Line("        </Component>");
    Line("      </Directory>");
    Line("    </Directory>");
    Line("    <Feature Id=\"Application\" Level=\"1\">");
    for (const std::string& component : components_) Line("      <ComponentRef" + Attribute("Id", component) + "/>");
    Line("      <ComponentRef Id=\"shortcut\"/>");
    Line("    </Feature>");
    Line("  </Product>");
    Line("</Wix>");
    return text_;
  }

 private:
  void Line(const std::string& line) { text_ += line + "\n"; }

  std::string SourceOf(const std::string& path) const { return input_.sourceFolder + "/" + path; }

  std::string Guid(std::string_view what) const {
    return guidOf_(input_.product.upgradeCode + "|" + ScopeName(input_.product.scope) + "|" + std::string(what));
  }

  // A folder, its files in one component (with the key path that stands for
  // them and the removal of the folder at uninstall, which a per-user folder
  // needs), then the folders inside it.
  void Folder(const std::string& folder, size_t indent) {
    const std::string pad(indent, ' ');
    const std::string& id = folderIds_.at(folder);
    Line(pad + "<Directory" + Attribute("Id", id) +
         Attribute("Name", folder.empty() ? input_.product.name : LastPart(folder)) + ">");
    const std::string component = "c" + std::to_string(folderComponents_++);
    components_.push_back(component);
    Line(pad + "  <Component" + Attribute("Id", component) + " Win64=\"yes\"" +
         Attribute("Guid", Guid("folder " + folder)) + ">");
    Line(pad + "    " + KeyPathValue(input_.product, "folder " + (folder.empty() ? "." : folder)));
    Line(pad + "    <RemoveFolder" + Attribute("Id", "r" + id) + " On=\"uninstall\"/>");
    if (folder.empty()) {
      Line(pad + "    <File Id=\"program\"" + Attribute("Name", input_.exeName) +
           Attribute("Source", SourceOf(input_.exeName)) + "/>");
      Association(pad + "    ");
    }
    for (const std::string& path : filesIn_[folder]) {
      Line(pad + "    <File" + Attribute("Id", "f" + std::to_string(++fileNumber_)) +
           Attribute("Name", LastPart(path)) + Attribute("Source", SourceOf(path)) + "/>");
    }
    Line(pad + "  </Component>");
    for (const std::string& inner : folders_) {
      if (!inner.empty() && ParentOf(inner) == folder) Folder(inner, indent + 2);
    }
    Line(pad + "</Directory>");
  }

  // The extension opens the program with the file as its one argument.
  void Association(const std::string& pad) {
    const ProductFacts& product = input_.product;
    if (product.association.empty()) return;
    const std::string root = product.scope == InstallScope::PerUser ? "HKCU" : "HKLM";
    const std::string progId = ProgIdOf(input_.exeName, product.association);
    const auto value = [&](const std::string& key, const std::string& text) {
      Line(pad + "<RegistryValue" + Attribute("Root", root) + Attribute("Key", "Software\\Classes\\" + key) +
           " Type=\"string\"" + Attribute("Value", text) + "/>");
    };
    value(product.association, progId);
    value(progId, product.name + " file");
    value(progId + "\\DefaultIcon", "[#program],0");
    value(progId + "\\shell\\open\\command", "\"[#program]\" \"%1\"");
  }

  const WixInput& input_;
  const GuidOf& guidOf_;
  std::set<std::string> folders_;
  std::map<std::string, std::vector<std::string>> filesIn_;
  std::map<std::string, std::string> folderIds_;
  std::vector<std::string> components_;
  size_t folderComponents_ = 0;
  size_t fileNumber_ = 0;
  std::string text_;
};

}  // namespace

InstallerCodes CodesOf(const ProductFacts& product, std::string_view contentDigest, const GuidOf& guidOf) {
  const std::string facts = product.upgradeCode + "|" + ScopeName(product.scope) + "|" + product.version;
  return {.product = guidOf(facts + "|product"),
          .package = guidOf(facts + "|package|" + product.name + "|" + product.publisher + "|" + product.association +
                            "|" + std::string(contentDigest))};
}

std::string WixSource(const WixInput& input, const GuidOf& guidOf) { return SourceWriter(input, guidOf).Source(); }

}  // namespace launcher::package

#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/wide_string.h"

namespace launcher {

namespace test {

// A registry that a test fills with runtime registrations.
class RegistryFixture {
 public:
  virtual ~RegistryFixture() = default;
  // Registers HKLM\<vendorKey><version> with a "JavaHome" string value.
  virtual void AddRuntime(const WideString& vendorKey, const WideString& version, const WideString& javaHome,
                          bool view32) = 0;
  // Sets a string value of a key of the 64-bit view, making the keys on its way.
  virtual void SetValue(platform::RegistryHive hive, const WideString& keyPath, const WideString& name,
                        const WideString& value) = 0;
  virtual platform::Registry& View() = 0;
};

struct RegistryFixtureKind {
  std::string name;
  std::function<std::unique_ptr<RegistryFixture>()> make;
};

// Printed by GoogleTest when a parameterised test fails.
inline void PrintTo(const RegistryFixtureKind& kind, std::ostream* out) { *out << kind.name; }

// The in-memory registry everywhere, and the system's own registry where there is one.
std::vector<RegistryFixtureKind> RegistryFixtureKinds();

std::unique_ptr<RegistryFixture> MakeFakeRegistryFixture();

}  // namespace test

}  // namespace launcher

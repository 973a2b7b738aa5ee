#include "registry_fixture.h"

#include "test_support.h"

namespace launcher {

namespace test {
namespace {

class FakeRegistryFixture final : public RegistryFixture {
 public:
  void AddRuntime(const WideString& vendorKey, const WideString& version, const WideString& javaHome,
                  bool view32) override {
    registry_.AddRuntime(vendorKey, version, javaHome, view32);
  }
  void SetValue(platform::RegistryHive hive, const WideString& keyPath, const WideString& name,
                const WideString& value) override {
    registry_.SetValue(hive, keyPath, name, value);
  }
  platform::Registry& View() override { return registry_; }

 private:
  FakeRegistry registry_;
};

}  // namespace

std::unique_ptr<RegistryFixture> MakeFakeRegistryFixture() { return std::make_unique<FakeRegistryFixture>(); }

}  // namespace test

}  // namespace launcher

#include "registry_fixture.h"

namespace launcher {

namespace test {

// The POSIX registry view lists installed folders; its own tests cover it.
std::vector<RegistryFixtureKind> RegistryFixtureKinds() { return {{"Fake", &MakeFakeRegistryFixture}}; }

}  // namespace test

}  // namespace launcher

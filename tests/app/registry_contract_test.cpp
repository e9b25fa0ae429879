#include "fakes/fake_registry.h"
#include "fakes/registry_contract.h"

namespace tw::testing {
namespace {

struct InMemory {
    fakes::FakeRegistry registry;
    RawRegistry& Registry() { return registry; }
    std::string Root() const { return "Software\\TextwrightTests\\Contract"; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, RegistryContract, InMemory);

} // namespace
} // namespace tw::testing

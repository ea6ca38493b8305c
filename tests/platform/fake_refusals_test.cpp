#include "platform/fake/fake_named_mutexes.h"
#include "platform/fake/fake_user_registry.h"

#include <gtest/gtest.h>

namespace stowkeep::platform::fake {
namespace {

// Refusals the real system gives only to other users or rights; the in-memory
// side can give them on request so that callers' failure paths can be tested.

TEST(FakeUserRegistryTest, KeyThatRefusesWritesKeepsItsValues) {
    FakeUserRegistry registry;
    registry.AddKey(L"Software\\Run");
    ASSERT_TRUE(registry.WriteString(L"Software\\Run", L"Stowkeep", L"old"));
    registry.SetRefusesWrites(L"software\\run", true);

    EXPECT_FALSE(registry.WriteString(L"Software\\Run", L"Stowkeep", L"new"));
    EXPECT_FALSE(registry.DeleteValue(L"Software\\Run", L"Stowkeep"));
    EXPECT_EQ(registry.ReadString(L"Software\\Run", L"Stowkeep"), L"old");
}

TEST(FakeNamedMutexesTest, RefusedCreationGivesNoHandleAndLeavesNoMutex) {
    FakeNamedMutexes mutexes;
    mutexes.SetRefusesCreation(true);
    EXPECT_FALSE(mutexes.Create(L"Mutex_Velko").handle);
    EXPECT_EQ(mutexes.OpenHandles(L"Mutex_Velko"), 0);
}

TEST(FakeNamedMutexesTest, HandleOutlivingTheMachineIsSafe) {
    auto mutexes = std::make_unique<FakeNamedMutexes>();
    auto created = mutexes->Create(L"Mutex_Velko");
    EXPECT_EQ(mutexes->OpenHandles(L"Mutex_Velko"), 1);
    mutexes.reset();
    created.handle.reset();
}

} // namespace
} // namespace stowkeep::platform::fake

#include "platform/fake/fake_shell_open.h"
#include "platform/shell_open.h"

#include <gtest/gtest.h>

namespace stowkeep::platform {
namespace {

using fake::FakeShellOpen;
using Route = FakeShellOpen::Route;

TEST(OpenAsUserTest, TheDesktopShellOpensThePageAndOurOwnContextOnlyWithoutIt) {
    const std::wstring page = L"https://stowkeep.example/";
    for (bool desktopShellRuns : {true, false}) {
        SCOPED_TRACE(desktopShellRuns);
        FakeShellOpen shell;
        shell.desktopShellRuns = desktopShellRuns;
        EXPECT_TRUE(OpenAsUser(shell, page));
        const Route route = desktopShellRuns ? Route::DesktopUser : Route::Here;
        EXPECT_EQ(shell.opened(), (std::vector<FakeShellOpen::Opened>{{route, page, true}}));
    }
}

} // namespace
} // namespace stowkeep::platform

#include "images/zero_fill.h"
#include "platform/fake/files_fake.h"

#include <gtest/gtest.h>
#include <string>

namespace stowkeep::images {
namespace {

class ZeroFillTest : public testing::Test {
  protected:
    ZeroFillTest() { disk.AddVolume(L'E', 1 << 20); }
    platform::FakeFileSystem disk;
};

TEST_F(ZeroFillTest, ClearsTheFirstAndLastSectorAndLeavesTheRest) {
    disk.AddFile(L"E:\\_iso\\D1.dsk", std::string(2048, 'x'));

    EXPECT_EQ(ZeroFirstAndLastSector(disk, L"E:\\_iso\\D1.dsk"), ZeroFill::ok);

    const std::string expected =
        std::string(512, '\0') + std::string(1024, 'x') + std::string(512, '\0');
    EXPECT_EQ(disk.Content(L"E:\\_iso\\D1.dsk"), expected);
    EXPECT_EQ(disk.OpenFileCount(), 0);
}

TEST_F(ZeroFillTest, ReportsFailureWithTheFileClosed) {
    disk.AddFile(L"E:\\_iso\\small.ima", std::string(100, 'x'));
    disk.AddFile(L"E:\\_iso\\held.dsk", std::string(2048, 'x'));
    disk.InjectFault({platform::FakeFileSystem::Op::write, 2, platform::FileError::io_error, false,
                      L"E:\\_iso\\held.dsk"});

    for (const wchar_t* path :
         {L"E:\\_iso\\missing.dsk", L"E:\\_iso\\small.ima", L"E:\\_iso\\held.dsk"}) {
        EXPECT_EQ(ZeroFirstAndLastSector(disk, path), ZeroFill::no) << path;
        EXPECT_EQ(disk.OpenFileCount(), 0) << path;
    }
    EXPECT_EQ(disk.Content(L"E:\\_iso\\small.ima"), std::string(100, 'x'));
}

TEST_F(ZeroFillTest, WorkerPublishesItsResultBeforeSayingItFinished) {
    disk.AddFile(L"E:\\_iso\\D1.dsk", std::string(1024, 'x'));
    const std::wstring imagePath = L"E:\\_iso\\D1.dsk";
    std::atomic<ZeroFill> result{ZeroFill::non};
    ZeroFill seenAtFinish = ZeroFill::non;
    {
        TVHDDThread worker(disk, imagePath, result, [&] { seenAtFinish = result.load(); });
    }
    EXPECT_EQ(seenAtFinish, ZeroFill::ok);
    EXPECT_EQ(result.load(), ZeroFill::ok);
    EXPECT_EQ(disk.Content(imagePath), std::string(1024, '\0'));
}

} // namespace
} // namespace stowkeep::images

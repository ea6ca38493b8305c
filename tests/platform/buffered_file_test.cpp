// The buffering layer over in-memory files: when written data goes out, how a
// full disk and a failing read come through it, and reads underneath that give
// less than asked for.

#include "platform/buffered_file.h"
#include "platform/fake/files_fake.h"

#include <gtest/gtest.h>
#include <string>

namespace stowkeep::platform {
namespace {

constexpr std::size_t kBuffer = 4096;
const std::wstring kPath = L"T:\\f.bin";

std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>(i * 7 + i / 251);
    }
    return data;
}

struct BufferedFixture : ::testing::Test {
    BufferedFixture() { files.AddVolume(L'T', 1ull << 30); }

    std::unique_ptr<File> Open(Access access) {
        auto file = files.Open(kPath, access, share_none,
                               access == Access::read ? Disposition::open_existing
                                                      : Disposition::create_always);
        return file ? std::make_unique<BufferedFile>(std::move(file), access, kBuffer) : nullptr;
    }

    std::size_t Written() const { return files.Content(kPath).value_or("").size(); }

    FakeFileSystem files;
};

TEST_F(BufferedFixture, WrittenDataGoesOutWhenTheBufferIsFullAtFlushAndAtClosing) {
    const std::string block(1024, 'w');
    auto file = Open(Access::read_write);
    ASSERT_TRUE(file);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(file->Write(block.data(), block.size()));
    }
    EXPECT_EQ(Written(), 0u);
    ASSERT_TRUE(file->Write(block.data(), block.size()));
    EXPECT_EQ(Written(), kBuffer);
    ASSERT_TRUE(file->Flush());
    EXPECT_EQ(Written(), 5 * 1024u);
    ASSERT_TRUE(file->Write("tail", 4));
    file.reset();
    EXPECT_EQ(Written(), 5 * 1024u + 4);
}

struct FullDiskCase {
    const char* name;
    std::uint64_t freeBytes;
    int blocks;       // 1024-byte writes
    int failingWrite; // counted from 1; 0: the flush fails
};

class BufferedFullDisk : public BufferedFixture,
                         public ::testing::WithParamInterface<FullDiskCase> {};

TEST_P(BufferedFullDisk, ShowsAtTheWriteOutThatFindsIt) {
    const FullDiskCase& c = GetParam();
    files.SetFreeBytes(L'T', c.freeBytes);
    const std::string block(1024, 'd');
    auto file = Open(Access::read_write);
    ASSERT_TRUE(file);
    for (int i = 1; i <= c.blocks; ++i) {
        const bool written = file->Write(block.data(), block.size());
        EXPECT_EQ(written, i != c.failingWrite) << "write " << i;
        if (!written) {
            EXPECT_EQ(file->LastError(), FileError::disk_full);
            return;
        }
    }
    EXPECT_FALSE(file->Flush());
    EXPECT_EQ(file->LastError(), FileError::disk_full);
}

INSTANTIATE_TEST_SUITE_P(Cases, BufferedFullDisk,
                         ::testing::Values(FullDiskCase{"AtTheFlush", 2000, 3, 0},
                                           FullDiskCase{"AtTheFlushAfterAWriteOut", 5000, 6, 0},
                                           FullDiskCase{"AtTheWriteAfterAFullBuffer", 4000, 6, 5}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(BufferedFixture, ReadFailingUnderneathFailsTheReadThatNeedsIt) {
    const std::string data = Pattern(10000);
    files.AddFile(kPath, data);
    files.InjectFault({FakeFileSystem::Op::read, 2, FileError::io_error, false, kPath});
    auto file = Open(Access::read);
    ASSERT_TRUE(file);
    std::string block(1024, '\0');
    for (std::size_t i = 0; i < kBuffer / 1024; ++i) {
        ASSERT_EQ(file->Read(block.data(), block.size()), 1024u);
        EXPECT_EQ(block, data.substr(i * 1024, 1024));
    }
    EXPECT_FALSE(file->Read(block.data(), block.size()));
    EXPECT_EQ(file->LastError(), FileError::io_error);
}

// A file whose reads give at most 700 bytes, as a read may.
class ShortReads final : public File {
  public:
    explicit ShortReads(FileHandle inner) : inner_(std::move(inner)) {}
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        return inner_->Read(buffer, std::min<std::size_t>(count, 700));
    }
    bool Write(const void* data, std::size_t count) override { return inner_->Write(data, count); }
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override {
        return inner_->WriteAt(offset, data, count);
    }
    bool Flush() override { return inner_->Flush(); }
    std::optional<std::uint64_t> Size() override { return inner_->Size(); }
    bool SetLength(std::uint64_t length) override { return inner_->SetLength(length); }
    FileError LastError() const override { return inner_->LastError(); }

  private:
    FileHandle inner_;
};

TEST_F(BufferedFixture, ShortReadsUnderneathStillFillEveryPieceUpToTheEnd) {
    const std::string data = Pattern(10000);
    files.AddFile(kPath, data);
    for (const std::size_t piece : {std::size_t{1024}, kBuffer + 904}) {
        SCOPED_TRACE(piece);
        BufferedFile file(std::make_unique<ShortReads>(files.Open(kPath, Access::read, share_read,
                                                                  Disposition::open_existing)),
                          Access::read, kBuffer);
        std::string back;
        std::string buffer(piece, '\0');
        for (std::size_t got = 1; got > 0;) {
            const auto read = file.Read(buffer.data(), buffer.size());
            ASSERT_TRUE(read);
            got = *read;
            ASSERT_EQ(got, std::min(piece, data.size() - back.size()));
            back.append(buffer, 0, got);
        }
        EXPECT_TRUE(back == data);
    }
}

} // namespace
} // namespace stowkeep::platform

// The copy engine's temporary files and batches: names that cannot hurt a
// user's file, leftovers of an ended run, how often it flushes, and a
// destination that vanishes.

#include "backup/copy_engine_walk.h"
#include "copy_engine_fixture.h"
#include "platform/forwarding_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace stowkeep::backup::testing {
namespace {

using platform::FakeFileSystem;
using platform::FileError;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(CopyTemporaries, SourceFilesNamedLikeTemporariesAreCopiedWhole) {
    CopyFixture f;
    const std::map<std::wstring, std::string> files = {
        {L"~stowkeep.tmp", "user file one"},
        {L"~stowkeep2.tmp", "user file two"},
        {L"~sk1", "user file three"},
        {L"~SK2", "user file four"},
        {L"a.txt", "alpha"},
    };
    for (const auto& [name, content] : files) {
        f.files.AddFile(L"C:\\Data\\" + name, content);
        f.files.AddFile(L"E:\\backup\\Data\\" + name, "older");
    }
    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
    for (const auto& [name, content] : files) {
        EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\" + name), content);
    }
    EXPECT_EQ(f.Names(L"E:\\backup\\Data").size(), files.size());
    EXPECT_EQ(f.run.ErrorCount, 0);
}

// A leftover counts against free space until it is gone: here the file fits
// only once the two leftovers are removed. Names of another pattern and
// names the source has are not leftovers.
TEST(CopyTemporaries, LeftoversOfAnEndedRunGoBeforeTheFreeSpaceCheck) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\big.bin", std::string(1000, 'b'));
    f.files.AddFile(L"C:\\Data\\~sk3", "the user's");
    f.files.AddFile(L"E:\\backup\\Data\\~sk7", std::string(600, 'x'));
    f.files.AddFile(L"E:\\backup\\Data\\Sub\\~SK12", std::string(600, 'x'));
    f.files.AddFile(L"C:\\Data\\Sub\\s.txt", "s");
    for (const wchar_t* kept : {L"~sk", L"~sk01", L"~sk1.txt", L"notes"}) {
        f.files.AddFile(std::wstring(L"E:\\backup\\Data\\") + kept, "kept");
    }
    f.files.SetFreeBytes(L'E', 600);

    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_THAT(f.window.messages, IsEmpty());
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\big.bin"), std::string(1000, 'b'));
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\~sk3"), "the user's");
    EXPECT_THAT(f.Names(L"E:\\backup\\Data"),
                ElementsAre(L"big.bin", L"notes", L"Sub", L"~sk", L"~sk01", L"~sk1.txt", L"~sk3"));
    EXPECT_THAT(f.Names(L"E:\\backup\\Data\\Sub"), ElementsAre(L"s.txt"));
}

// A temporary name taken by another program between the listing and the
// creation: the next number is used.
TEST(CopyTemporaries, NameTakenMeanwhileMovesOnToTheNextNumber) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\a.txt", "alpha");
    f.files.AddFolder(L"E:\\backup\\Data");
    f.files.InjectFault(
        {FakeFileSystem::Op::open, 1, FileError::already_exists, false, L"E:\\backup\\Data\\~sk1"});
    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\a.txt"), "alpha");
    EXPECT_THAT(f.Names(L"E:\\backup\\Data"), ElementsAre(L"a.txt"));
}

TEST(CopyTemporaries, NameIsShortAndOfItsOwnPattern) {
    EXPECT_EQ(TemporaryName(1), L"~sk1");
    EXPECT_EQ(TemporaryName(42), L"~sk42");
    for (const wchar_t* name : {L"~sk1", L"~SK42", L"~sK9"}) {
        EXPECT_TRUE(IsTemporaryName(name)) << name;
    }
    for (const wchar_t* name : {L"~sk", L"~sk0", L"~sk01", L"~sk1.tmp", L"sk1", L"~stowkeep.tmp"}) {
        EXPECT_FALSE(IsTemporaryName(name)) << name;
    }
}

// Counts the flushes of files opened through it and of volumes.
class CountingFlushes : public platform::ForwardingFileSystem {
  public:
    using ForwardingFileSystem::ForwardingFileSystem;

    platform::FileHandle Open(const std::wstring& path, platform::Access access, unsigned share,
                              platform::Disposition disposition,
                              FileError* error = nullptr) override {
        auto file = ForwardingFileSystem::Open(path, access, share, disposition, error);
        return file ? std::make_unique<CountedFile>(std::move(file), fileFlushes) : nullptr;
    }
    FileError FlushVolume(const std::wstring& root) override {
        ++volumeFlushes;
        return ForwardingFileSystem::FlushVolume(root);
    }

    int fileFlushes = 0;
    int volumeFlushes = 0;

  private:
    class CountedFile final : public platform::File {
      public:
        CountedFile(platform::FileHandle inner, int& flushes)
            : inner_(std::move(inner)), flushes_(flushes) {}
        std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
            return inner_->Read(buffer, count);
        }
        bool Write(const void* data, std::size_t count) override {
            return inner_->Write(data, count);
        }
        bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override {
            return inner_->WriteAt(offset, data, count);
        }
        bool Flush() override {
            ++flushes_;
            return inner_->Flush();
        }
        std::optional<std::uint64_t> Size() override { return inner_->Size(); }
        bool SetLength(std::uint64_t length) override { return inner_->SetLength(length); }
        FileError LastError() const override { return inner_->LastError(); }

      private:
        platform::FileHandle inner_;
        int& flushes_;
    };
};

TEST(CopyBatches, OneVolumeFlushPerBatchOrEachFileOnceWhereRefused) {
    struct Case {
        bool volumeFlush;
        int volumeFlushes;
        int fileFlushes;
    };
    for (const Case c : {Case{true, 3, 0}, Case{false, 1, 5}}) {
        CopyFixture f;
        for (int i = 0; i < 5; ++i) {
            f.files.AddFile(L"C:\\Data\\f" + std::to_wstring(i), std::string(10, 'x'));
        }
        f.files.AddFolder(L"E:\\backup\\Data");
        f.files.SetVolumeFlush(L'E', c.volumeFlush);
        CountingFlushes counting(f.files);
        CopyEngine engine(counting, f.run, f.window, f.total, &std::chrono::steady_clock::now,
                          CopyBatching{2, 1 << 20});

        EXPECT_TRUE(engine.CopyFolder(L"C:\\Data", L"E:\\backup\\Data"));

        EXPECT_EQ(counting.volumeFlushes, c.volumeFlushes);
        EXPECT_EQ(counting.fileFlushes, c.fileFlushes);
        f.files.PowerCut();
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\f" + std::to_wstring(i)),
                      std::string(10, 'x'));
        }
    }
}

// The volume pulled out in the middle of a file: the free-space query and
// every call on it fail, and the run ends as without the enclosure.
TEST(CopyDestination, VanishedVolumeEndsTheRunWithPleaseConnectDevice) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\a.bin", std::string(5000, 'a'));
    f.files.AddFile(L"C:\\Data\\b.txt", "b");
    f.files.AddFile(L"E:\\backup\\Data\\a.bin", "older copy");
    f.files.InjectFault(
        {FakeFileSystem::Op::write, 2, FileError::not_found, false, L"E:", true, true});

    EXPECT_FALSE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_THAT(f.window.messages, ElementsAre(L"Please connect device."));
    EXPECT_EQ(f.run.ErrorCount, 0);
    f.files.Plug(L'E');
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\a.bin"), "older copy");
}

} // namespace
} // namespace stowkeep::backup::testing

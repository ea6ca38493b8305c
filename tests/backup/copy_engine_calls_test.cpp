// The file calls that the copy engine makes per file: each costs a round trip
// to the system, so one that comes back slows every small file.

#include "copy_engine_fixture.h"
#include "platform/forwarding_files.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>

namespace stowkeep::backup::testing {
namespace {

using platform::FileHandle;

// Counts the calls by name, the calls on opened files included.
class CallCounts {
  public:
    void Add(const std::string& name) { ++counts_[name]; }
    int operator[](const std::string& name) const {
        const auto found = counts_.find(name);
        return found == counts_.end() ? 0 : found->second;
    }

  private:
    std::map<std::string, int> counts_;
};

class CountedFile final : public platform::File {
  public:
    CountedFile(FileHandle inner, CallCounts& counts) : inner_(std::move(inner)), counts_(counts) {}
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        counts_.Add("Read");
        return inner_->Read(buffer, count);
    }
    bool Write(const void* data, std::size_t count) override {
        counts_.Add("Write");
        return inner_->Write(data, count);
    }
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override {
        counts_.Add("WriteAt");
        return inner_->WriteAt(offset, data, count);
    }
    bool Flush() override {
        counts_.Add("Flush");
        return inner_->Flush();
    }
    std::optional<std::uint64_t> Size() override {
        counts_.Add("Size");
        return inner_->Size();
    }
    bool SetLength(std::uint64_t length) override {
        counts_.Add("SetLength");
        return inner_->SetLength(length);
    }
    platform::FileError LastError() const override { return inner_->LastError(); }

  private:
    FileHandle inner_;
    CallCounts& counts_;
};

class CountingFiles final : public platform::ForwardingFileSystem {
  public:
    using ForwardingFileSystem::ForwardingFileSystem;

    FileHandle Open(const std::wstring& path, platform::Access access, unsigned share,
                    platform::Disposition disposition,
                    platform::FileError* error = nullptr) override {
        counts.Add("Open");
        FileHandle file = ForwardingFileSystem::Open(path, access, share, disposition, error);
        return file ? std::make_unique<CountedFile>(std::move(file), counts) : nullptr;
    }
    std::uint32_t Attributes(const std::wstring& path) override {
        counts.Add("Attributes");
        return ForwardingFileSystem::Attributes(path);
    }
    bool MoveReplacing(const std::wstring& from, const std::wstring& to,
                       platform::FileError* error = nullptr) override {
        counts.Add("MoveReplacing");
        return ForwardingFileSystem::MoveReplacing(from, to, error);
    }
    std::optional<std::uint64_t> FreeBytes(const std::wstring& root) override {
        counts.Add("FreeBytes");
        return ForwardingFileSystem::FreeBytes(root);
    }
    platform::DriveType DriveKind(const std::wstring& root) override {
        counts.Add("DriveKind");
        return ForwardingFileSystem::DriveKind(root);
    }
    bool Remove(const std::wstring& path) override {
        counts.Add("Remove");
        return ForwardingFileSystem::Remove(path);
    }

    CallCounts counts;
};

// Reports the sizes of the source folder's files as a listing made a moment
// before the files changed.
class StaleListing final : public platform::ForwardingFileSystem {
  public:
    StaleListing(platform::FileSystem& inner, std::uint64_t listedSize)
        : ForwardingFileSystem(inner), listedSize_(listedSize) {}
    std::optional<std::vector<platform::FolderEntry>> List(const std::wstring& folder) override {
        auto entries = ForwardingFileSystem::List(folder);
        if (entries && folder.starts_with(L"C:")) {
            for (platform::FolderEntry& entry : *entries) {
                entry.size = listedSize_;
            }
        }
        return entries;
    }

  private:
    std::uint64_t listedSize_;
};

bool CopyThrough(CopyFixture& fixture, platform::FileSystem& through) {
    CopyEngine engine(through, fixture.run, fixture.window, fixture.total,
                      &std::chrono::steady_clock::now, fixture.batching);
    return engine.CopyFolder(L"C:\\src", L"E:\\dst");
}

// Sizes that end inside a block, on a block's end, and the empty file.
TEST(CopyEngineCalls, SmallFilesTakeOnlyTheCallsTheirCopyNeeds) {
    const std::size_t sizes[] = {0, 1, 1023, 1024, 2048, 3000, 20000};
    CopyFixture fixture;
    fixture.files.AddFolder(L"E:\\dst");
    int blockReads = 0;
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        fixture.files.AddFile(L"C:\\src\\f" + std::to_wstring(i), std::string(sizes[i], 'x'));
        // Blocks until the first short one, which tells the end.
        blockReads += static_cast<int>(sizes[i] / CopyEngine::kBlockSize) + 1;
    }
    CountingFiles counting(fixture.files);
    ASSERT_TRUE(CopyThrough(fixture, counting));

    const int count = static_cast<int>(std::size(sizes));
    EXPECT_EQ(fixture.run.CopiedCount, count);
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        EXPECT_EQ(fixture.files.Content(L"E:\\dst\\f" + std::to_wstring(i))->size(), sizes[i]);
    }
    const CallCounts& calls = counting.counts;
    EXPECT_EQ(calls["Open"], 2 * count);
    EXPECT_EQ(calls["MoveReplacing"], count);
    EXPECT_EQ(calls["Read"], blockReads);
    EXPECT_EQ(calls["FreeBytes"], 1);
    for (const char* needless :
         {"Size", "Attributes", "DriveKind", "Remove", "Flush", "WriteAt", "SetLength"}) {
        EXPECT_EQ(calls[needless], 0) << needless;
    }
}

struct StaleCase {
    const char* name;
    std::size_t listed;
    std::size_t actual;
    std::uint64_t freeBytes;
    bool copied;
};

class CopyEngineStaleListing : public ::testing::TestWithParam<StaleCase> {};

// The listing is only a guess at the size: the copy is the file as it is
// when opened, and a file that grew beyond the room ends the run as a full
// disk does, with the older copy kept.
TEST_P(CopyEngineStaleListing, CopiesTheFileAsOpenedOrKeepsTheOlderCopy) {
    const StaleCase& c = GetParam();
    CopyFixture fixture;
    fixture.files.SetFreeBytes(L'E', c.freeBytes);
    std::string content(c.actual, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>('a' + i % 23);
    }
    fixture.files.AddFile(L"C:\\src\\grown.bin", content);
    fixture.files.AddFile(L"E:\\dst\\grown.bin", "older");
    StaleListing stale(fixture.files, c.listed);

    EXPECT_EQ(CopyThrough(fixture, stale), c.copied);
    EXPECT_EQ(fixture.files.Content(L"E:\\dst\\grown.bin"), c.copied ? content : "older");
    EXPECT_EQ(fixture.Names(L"E:\\dst"), std::vector<std::wstring>{L"grown.bin"});
    EXPECT_EQ(fixture.run.ErrorCount, 0);
    const auto noSpace = std::vector<std::wstring>{kNoSpaceLeft};
    EXPECT_EQ(fixture.window.messages, c.copied ? std::vector<std::wstring>{} : noSpace);
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyEngineStaleListing,
                         ::testing::Values(StaleCase{"Grew", 100, 5000, 1u << 20, true},
                                           StaleCase{"GrewOnABlockEnd", 1024, 4096, 1u << 20, true},
                                           StaleCase{"Shrank", 5000, 700, 1u << 20, true},
                                           StaleCase{"GrewBeyondTheRoom", 100, 9000, 4000, false}),
                         [](const ::testing::TestParamInfo<StaleCase>& c) {
                             return std::string(c.param.name);
                         });

} // namespace
} // namespace stowkeep::backup::testing

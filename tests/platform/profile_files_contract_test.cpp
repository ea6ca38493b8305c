#include "tests/platform/contract_world.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

namespace stowkeep::contract {
namespace {

constexpr std::size_t kBuffer = 2048;
constexpr wchar_t kDefault[] = L"<default>";

const std::string kSeed = "[Auto]\r\n"
                          "Run=on\r\n"
                          "  BackUp =  On  \r\n"
                          "[VIRTUAL_hdd]\r\n"
                          "option=fast\r\n"
                          "[BackupSource]\r\n"
                          "num=2\r\n"
                          "1=C:\\Users\\Me\\Documents\r\n"
                          "lonely\r\n"
                          "[Empty]\r\n";

struct Lookup {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* expected;
};

// What every key of kSeed reads as, looked up in odd letter case.
const Lookup kSeedLookups[] = {
    {L"auto", L"RUN", L"on"},
    {L"AUTO", L"backup", L"On"},
    {L"Virtual_HDD", L"Option", L"fast"},
    {L"backupsource", L"NUM", L"2"},
    {L"BackupSource", L"1", L"C:\\Users\\Me\\Documents"},
    {L"BackupSource", L"lonely", kDefault},
    {L"BackupSource", L"3", kDefault},
    {L"Empty", L"num", kDefault},
    {L"Absent", L"num", kDefault},
};

// Lines of text that hold key (in any letter case), blanks around it allowed.
int CountKeyLines(const std::string& text, const std::string& key) {
    int count = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        start = end + 1;
        line.erase(std::remove_if(line.begin(), line.end(),
                                  [](unsigned char c) { return std::isspace(c) != 0; }),
                   line.end());
        std::transform(line.begin(), line.end(), line.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (line.rfind(key + "=", 0) == 0) {
            ++count;
        }
    }
    return count;
}

class ProfileFilesContract : public ::testing::TestWithParam<WorldKind> {
  protected:
    void SetUp() override {
        world_ = MakeWorld(GetParam());
        path_ = world_->Folder() + L"\\set.ini";
    }

    std::wstring Read(std::wstring_view section, std::wstring_view key,
                      std::size_t capacity = kBuffer) const {
        return world_->Profile().ReadString(path_, section, key, kDefault, capacity);
    }
    bool Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
        return world_->Profile().WriteString(path_, section, key, value);
    }
    void ExpectLookups(std::wstring_view skipKey = {}) const {
        for (const Lookup& lookup : kSeedLookups) {
            if (lookup.key == skipKey) {
                continue;
            }
            EXPECT_EQ(Read(lookup.section, lookup.key), lookup.expected)
                << "[" << testing::PrintToString(std::wstring(lookup.section)) << "] "
                << testing::PrintToString(std::wstring(lookup.key));
        }
    }

    std::unique_ptr<ContractWorld> world_;
    std::wstring path_;
};

TEST_P(ProfileFilesContract, MissingFileReadsDefaultAndFirstWriteCreatesIt) {
    EXPECT_EQ(Read(L"Auto", L"Run"), kDefault);
    EXPECT_FALSE(world_->FileText(path_).has_value());

    ASSERT_TRUE(Write(L"Auto", L"Run", L"on"));
    EXPECT_TRUE(world_->FileText(path_).has_value());
    EXPECT_EQ(Read(L"Auto", L"Run"), L"on");
    EXPECT_EQ(Read(L"Auto", L"BackUp"), kDefault);
}

TEST_P(ProfileFilesContract, NamesMatchInAnyCaseAndValuesComeBackAsStored) {
    world_->PutFile(path_, kSeed);
    ExpectLookups();
}

TEST_P(ProfileFilesContract, MatchingQuotesAroundAValueAndBlanksAfterTheDefaultGo) {
    world_->PutFile(path_, "[S]\r\nd=\"C:\\My Files\"\r\ns='x'\r\nhalf=\"open\r\nmixed=\"a'\r\n");
    EXPECT_EQ(Read(L"S", L"d"), L"C:\\My Files");
    EXPECT_EQ(Read(L"S", L"s"), L"x");
    EXPECT_EQ(Read(L"S", L"half"), L"\"open");
    EXPECT_EQ(Read(L"S", L"mixed"), L"\"a'");
    EXPECT_EQ(world_->Profile().ReadString(path_, L"S", L"absent", L"off  ", kBuffer), L"off");
}

TEST_P(ProfileFilesContract, WriteChangesOneKeyAndKeepsEverythingElse) {
    world_->PutFile(path_, kSeed);

    ASSERT_TRUE(Write(L"AUTO", L"backup", L"off"));
    ASSERT_TRUE(Write(L"BackupSource", L"2", L"D:\\Photos"));
    ASSERT_TRUE(Write(L"BackupDestination", L"1", L"E:\\backup"));

    EXPECT_EQ(Read(L"Auto", L"BackUp"), L"off");
    EXPECT_EQ(Read(L"backupsource", L"2"), L"D:\\Photos");
    EXPECT_EQ(Read(L"BackupDestination", L"1"), L"E:\\backup");
    ExpectLookups(L"backup");

    // The key was changed where it stood, not added a second time.
    const std::string text = world_->FileText(path_).value();
    EXPECT_EQ(CountKeyLines(text, "backup"), 1) << text;
}

TEST_P(ProfileFilesContract, LongValuesAreCutToTheBuffer) {
    const std::wstring written(5000, L'x');
    ASSERT_TRUE(Write(L"BackupSource", L"1", written));
    EXPECT_EQ(Read(L"BackupSource", L"1"), std::wstring(2047, L'x'));
    EXPECT_EQ(Read(L"BackupSource", L"1", 8192), written);

    world_->PutFile(path_, "[A]\r\nk=" + std::string(5000, 'y') + "\r\n");
    EXPECT_EQ(Read(L"A", L"k"), std::wstring(2047, L'y'));
}

TEST_P(ProfileFilesContract, ReadOnlyFileRefusesWritesAndStillReads) {
    world_->PutFile(path_, kSeed);
    if (!world_->SetReadOnly(path_, true)) {
        GTEST_SKIP() << "the read-only attribute does not stop writes on this system";
    }

    EXPECT_FALSE(Write(L"Auto", L"Run", L"off"));
    EXPECT_FALSE(Write(L"New", L"key", L"value"));
    EXPECT_EQ(world_->FileText(path_), kSeed);
    ExpectLookups();
}

TEST_P(ProfileFilesContract, FileHeldByAnotherProgramReadsDefaultsAndRefusesWrites) {
    world_->PutFile(path_, kSeed);
    {
        const auto hold = world_->HoldWithoutSharing(path_);
        EXPECT_EQ(Read(L"Auto", L"Run"), kDefault);
        EXPECT_FALSE(Write(L"Auto", L"Run", L"off"));
    }
    EXPECT_EQ(world_->FileText(path_), kSeed);
    EXPECT_EQ(Read(L"Auto", L"Run"), L"on");
}

TEST_P(ProfileFilesContract, WriteIntoMissingFolderIsRefused) {
    const std::wstring inMissingFolder = world_->Folder() + L"\\absent\\set.ini";
    EXPECT_FALSE(world_->Profile().WriteString(inMissingFolder, L"Auto", L"Run", L"on"));
    EXPECT_FALSE(world_->FileText(inMissingFolder).has_value());
}

TEST_P(ProfileFilesContract, FolderInPlaceOfTheFileReadsDefaultsAndRefusesWrites) {
    world_->MakeFolder(path_);
    EXPECT_EQ(Read(L"Auto", L"Run"), kDefault);
    EXPECT_FALSE(Write(L"Auto", L"Run", L"on"));
    EXPECT_EQ(Read(L"Auto", L"Run"), kDefault);
}

TEST_P(ProfileFilesContract, ChangesMadeBehindItsBackAreSeenAtTheNextRead) {
    ASSERT_TRUE(Write(L"Auto", L"Run", L"on"));
    EXPECT_EQ(Read(L"Auto", L"Run"), L"on");

    world_->PutFile(path_, "[Auto]\r\nRun=off\r\n");
    EXPECT_EQ(Read(L"Auto", L"Run"), L"off");
}

// A path that no ANSI code page holds whole, with a character beyond the
// 16-bit range for good measure.
constexpr wchar_t kWidePath[] = L"Z:\\Фото 日本 \U0001F4F7";
const std::string kUtf16Mark = "\xFF\xFE";

bool StartsWithMark(const std::optional<std::string>& bytes) {
    return bytes && bytes->rfind(kUtf16Mark, 0) == 0;
}

TEST_P(ProfileFilesContract, AnsiFileTurnsWhatItsCodePageLacksIntoQuestionMarks) {
    ASSERT_TRUE(Write(L"BackupSource", L"1", L"Z:\\Фото"));
    EXPECT_EQ(Read(L"BackupSource", L"1"), L"Z:\\????");
    EXPECT_FALSE(StartsWithMark(world_->FileText(path_)));
}

TEST_P(ProfileFilesContract, MissingFileIsMadeUnicodeAndKeepsEveryCharacter) {
    ASSERT_TRUE(world_->Profile().PrepareToKeep(path_, L"Auto"));
    EXPECT_EQ(world_->FileText(path_), kUtf16Mark);

    ASSERT_TRUE(Write(L"BackupSource", L"1", kWidePath));
    EXPECT_EQ(Read(L"BackupSource", L"1"), kWidePath);
    EXPECT_TRUE(StartsWithMark(world_->FileText(path_)));
}

TEST_P(ProfileFilesContract, AnsiFileMadeUnicodeKeepsEverySectionAndKey) {
    world_->PutFile(path_, kSeed);
    ASSERT_TRUE(Write(L"BackupDestination", L"1", L"E:\\Café"));

    ASSERT_TRUE(world_->Profile().PrepareToKeep(path_, kWidePath));
    EXPECT_TRUE(StartsWithMark(world_->FileText(path_)));
    ExpectLookups();
    EXPECT_EQ(Read(L"BackupDestination", L"1"), L"E:\\Café");

    ASSERT_TRUE(Write(L"BackupSource", L"2", kWidePath));
    EXPECT_EQ(Read(L"BackupSource", L"2"), kWidePath);
    ExpectLookups();
}

TEST_P(ProfileFilesContract, FileThatHoldsTheTextAlreadyIsLeftByteForByte) {
    const std::string unicode = kUtf16Mark + std::string("[\0A\0]\0\r\0\n\0", 10);
    const std::string cases[] = {kSeed, unicode};
    for (const std::string& bytes : cases) {
        world_->PutFile(path_, bytes);
        EXPECT_TRUE(world_->Profile().PrepareToKeep(path_, L"C:\\Users\\Me\\Café"));
        EXPECT_EQ(world_->FileText(path_), bytes);
    }
    EXPECT_TRUE(world_->Profile().PrepareToKeep(path_, kWidePath));
    EXPECT_EQ(world_->FileText(path_), unicode);
}

TEST_P(ProfileFilesContract, FileThatCannotBeWrittenIsNotMadeUnicode) {
    const std::wstring inMissingFolder = world_->Folder() + L"\\absent\\set.ini";
    EXPECT_FALSE(world_->Profile().PrepareToKeep(inMissingFolder, kWidePath));
    EXPECT_FALSE(world_->FileText(inMissingFolder).has_value());

    world_->PutFile(path_, kSeed);
    {
        const auto hold = world_->HoldWithoutSharing(path_);
        EXPECT_FALSE(world_->Profile().PrepareToKeep(path_, kWidePath));
    }
    EXPECT_EQ(world_->FileText(path_), kSeed);

    if (!world_->SetReadOnly(path_, true)) {
        GTEST_SKIP() << "the read-only attribute does not stop writes on this system";
    }
    EXPECT_FALSE(world_->Profile().PrepareToKeep(path_, kWidePath));
    EXPECT_EQ(world_->FileText(path_), kSeed);
}

INSTANTIATE_TEST_SUITE_P(Worlds, ProfileFilesContract, ::testing::ValuesIn(AvailableWorlds()),
                         WorldNamer{});

} // namespace
} // namespace stowkeep::contract

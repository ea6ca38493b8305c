#include "settings/settings_file.h"
#include "tests/platform/contract_world.h"

#include <climits>
#include <gtest/gtest.h>
#include <optional>

namespace stowkeep::contract {
namespace {

using settings::SettingsFile;

class SettingsFileContract : public ::testing::TestWithParam<WorldKind> {
  protected:
    void SetUp() override {
        world_ = MakeWorld(GetParam());
        path_ = world_->Folder() + L"\\set.ini";
        file_ = std::make_unique<SettingsFile>(world_->Profile(), path_);
    }

    std::unique_ptr<ContractWorld> world_;
    std::wstring path_;
    std::unique_ptr<SettingsFile> file_;
};

TEST_P(SettingsFileContract, MissingFileGivesEveryReaderItsDefault) {
    EXPECT_EQ(file_->ReadText(L"Auto", L"BackUp", L"off"), L"off");
    EXPECT_EQ(file_->ReadText(L"Virtual_HDD", L"Option", L"Slow"), L"Slow");
    EXPECT_EQ(file_->ReadText(L"BackupSource", L"1", L""), L"");
    EXPECT_EQ(file_->ReadInteger(L"BackupSource", L"num", 0), 0);
    EXPECT_FALSE(world_->FileText(path_).has_value());
}

struct IntegerCase {
    const char* stored;
    int expected;
};

// Read with default 99, so that a default tells itself apart from a parsed 0.
const IntegerCase kIntegerCases[] = {
    {"2", 2},
    {"0", 0},
    {"-3", -3},
    {"+4", 4},
    {" 7 ", 7},
    {"abc", 99},
    {"12abc", 99},
    {"", 99},
    {"0x10", 99},
    {"1.5", 99},
    {"2147483647", INT_MAX},
    {"-2147483648", INT_MIN},
    {"2147483648", 99},
};

TEST_P(SettingsFileContract, IntegersThatAreNotNumbersReadAsTheDefault) {
    std::string text = "[BackupSource]\r\n";
    for (std::size_t i = 0; i < std::size(kIntegerCases); ++i) {
        // Appended piece by piece: "k" + std::to_string(i) trips a false
        // -Wrestrict warning of the MinGW compiler.
        text += 'k';
        text += std::to_string(i);
        text += '=';
        text += kIntegerCases[i].stored;
        text += "\r\n";
    }
    world_->PutFile(path_, text);

    for (std::size_t i = 0; i < std::size(kIntegerCases); ++i) {
        const std::wstring key = L"k" + std::to_wstring(i);
        EXPECT_EQ(file_->ReadInteger(L"BackupSource", key, 99), kIntegerCases[i].expected)
            << "stored \"" << kIntegerCases[i].stored << "\"";
    }
    EXPECT_EQ(file_->ReadInteger(L"BackupSource", L"num", 99), 99);
}

TEST_P(SettingsFileContract, ValuesComeBackExactlyWhateverTheCaseOfTheirNames) {
    world_->PutFile(path_, "[auto]\r\nBACKUP=On\r\n[virtual_hdd]\r\noption=fast\r\n");
    EXPECT_EQ(file_->ReadText(L"Auto", L"BackUp", L"off"), L"On");
    EXPECT_EQ(file_->ReadText(L"Virtual_HDD", L"Option", L"Slow"), L"fast");

    ASSERT_TRUE(file_->WriteText(L"Auto", L"BackUp", L"on"));
    EXPECT_EQ(file_->ReadText(L"AUTO", L"backup", L"off"), L"on");
    EXPECT_EQ(file_->ReadText(L"Virtual_HDD", L"Option", L"Slow"), L"fast");
}

TEST_P(SettingsFileContract, ValueOf5000CharactersReadsAsItsFirst2047) {
    std::wstring path(5000, L'p');
    path.replace(0, 3, L"C:\\");
    ASSERT_TRUE(file_->WriteText(L"BackupSource", L"1", path));
    ASSERT_TRUE(file_->WriteText(L"BackupSource", L"num", L"1"));

    EXPECT_EQ(file_->ReadText(L"BackupSource", L"1", L""), path.substr(0, 2047));
    EXPECT_EQ(file_->ReadInteger(L"BackupSource", L"num", 0), 1);
}

TEST_P(SettingsFileContract, RefusedWriteIsReportedWithTheFilesFullPath) {
    world_->MakeFolder(path_); // nothing can write a file where a folder stands
    EXPECT_FALSE(file_->WriteText(L"Auto", L"Run", L"on"));
    EXPECT_EQ(file_->ReadText(L"Auto", L"Run", L"off"), L"off");
    EXPECT_EQ(file_->WriteErrorText(), L"Unable to write to " + path_);
    EXPECT_EQ(file_->Path(), path_);
}

TEST_P(SettingsFileContract, ValueWithALineBreakIsRefusedAndCannotPlantKeys) {
    const std::string seed = "[Auto]\r\nRun=off\r\n";
    world_->PutFile(path_, seed);
    EXPECT_FALSE(file_->WriteText(L"BackupSource", L"1", L"C:\\a\r\n[Auto]\r\nRun=on"));
    EXPECT_FALSE(file_->WriteText(L"BackupSource", L"1", L"C:\\a\nnum=9"));
    EXPECT_EQ(world_->FileText(path_), seed);
    EXPECT_EQ(file_->ReadText(L"Auto", L"Run", L""), L"off");
}

TEST_P(SettingsFileContract, FileInUseByAnotherProgramReadsDefaultsAndRefusesWrites) {
    world_->PutFile(path_, "[Auto]\r\nRun=on\r\n");
    const auto hold = world_->HoldWithoutSharing(path_);
    EXPECT_EQ(file_->ReadText(L"Auto", L"Run", L"off"), L"off");
    EXPECT_FALSE(file_->WriteText(L"Auto", L"Run", L"off"));
}

TEST_P(SettingsFileContract, ReadOnlyFileRefusesWritesAndLosesNothing) {
    const std::string seed = "[Auto]\r\nRun=on\r\nBackUp=off\r\n[BackupSource]\r\nnum=1\r\n";
    world_->PutFile(path_, seed);
    if (!world_->SetReadOnly(path_, true)) {
        GTEST_SKIP() << "the read-only attribute does not stop writes on this system";
    }
    EXPECT_FALSE(file_->WriteText(L"Auto", L"BackUp", L"on"));
    EXPECT_EQ(world_->FileText(path_), seed);
    EXPECT_EQ(file_->ReadText(L"Auto", L"BackUp", L""), L"off");
    EXPECT_EQ(file_->ReadInteger(L"BackupSource", L"num", 0), 1);
}

// A folder name that no ANSI code page holds whole.
constexpr wchar_t kWidePath[] = L"Z:\\home\\me\\Фото 日本";

bool IsUnicode(const std::optional<std::string>& bytes) {
    return bytes && bytes->rfind("\xFF\xFE", 0) == 0;
}

struct StartCase {
    const char* name;
    const wchar_t* file;
    std::optional<std::string> seed; // the file before the write; none: no file
};

const StartCase kStarts[] = {
    {"no file", L"new.ini", std::nullopt},
    {"ANSI file", L"set.ini",
     "[Auto]\r\nRun=on\r\n[Virtual_HDD]\r\nOption=Fast\r\n[BackupSource]\r\n"
     "num=1\r\n1=C:\\Data\r\n[BackupDestination]\r\n1=E:\\backup\r\n"},
};

TEST_P(SettingsFileContract, PathOutsideTheAnsiCodePageIsKeptWhateverTheFileWas) {
    for (const StartCase& start : kStarts) {
        SCOPED_TRACE(start.name);
        const std::wstring path = world_->Folder() + L"\\" + std::wstring(start.file);
        const SettingsFile file(world_->Profile(), path);
        if (start.seed) {
            world_->PutFile(path, *start.seed);
        }

        ASSERT_TRUE(file.WriteText(L"BackupSource", L"2", kWidePath));
        ASSERT_TRUE(file.WriteText(L"BackupSource", L"num", L"2"));

        EXPECT_TRUE(IsUnicode(world_->FileText(path)));
        EXPECT_EQ(file.ReadText(L"BackupSource", L"2", L""), kWidePath);
        EXPECT_EQ(file.ReadInteger(L"BackupSource", L"num", 0), 2);
        if (start.seed) {
            EXPECT_EQ(file.ReadText(L"Auto", L"Run", L"off"), L"on");
            EXPECT_EQ(file.ReadText(L"Virtual_HDD", L"Option", L"Slow"), L"Fast");
            EXPECT_EQ(file.ReadText(L"BackupSource", L"1", L""), L"C:\\Data");
            EXPECT_EQ(file.ReadText(L"BackupDestination", L"1", L""), L"E:\\backup");
        }
    }
}

TEST_P(SettingsFileContract, NewFileIsUnicodeAndAnAnsiFileStaysAnsiWhileItHoldsTheValues) {
    ASSERT_TRUE(file_->WriteText(L"Auto", L"Run", L"on"));
    EXPECT_TRUE(IsUnicode(world_->FileText(path_)));
    EXPECT_EQ(file_->ReadText(L"Auto", L"Run", L"off"), L"on");

    world_->PutFile(path_, "[Auto]\r\nRun=off\r\n");
    ASSERT_TRUE(file_->WriteText(L"Auto", L"Run", L"on"));
    EXPECT_EQ(world_->FileText(path_), "[Auto]\r\nRun=on\r\n");
}

INSTANTIATE_TEST_SUITE_P(Worlds, SettingsFileContract, ::testing::ValuesIn(AvailableWorlds()),
                         WorldNamer{});

} // namespace
} // namespace stowkeep::contract

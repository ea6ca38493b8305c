#include "backup_ui_fixture.h"

namespace stowkeep::backup::testing {
namespace {

constexpr wchar_t kSelectPath[] = L"Please select path to backup.";
constexpr wchar_t kNotLocal[] = L"Please select folder in Local disk.";

class JobListTest : public BackupUiTest {
  protected:
    JobListTest() {
        files.AddFolder(L"C:\\Data");
        files.AddFolder(L"C:\\Other");
        files.AddFolder(L"E:\\backup");
        files.AddFolder(L"E:\\other");
        files.AddFolder(L"F:\\Stuff");
    }
    void Fields(const std::wstring& source, const std::wstring& destination) {
        page->JvDirectoryEdit1.setText(source);
        page->JvDirectoryEdit2.setText(destination);
    }
    void Add(const std::wstring& source, const std::wstring& destination) {
        Fields(source, destination);
        page->spSkinButton3.click();
    }
    std::vector<std::wstring> Row(int row) const {
        return {page->spSkinListView1.cell(row, 0), page->spSkinListView1.cell(row, 1)};
    }
};

struct AddCheckCase {
    const char* name;
    const wchar_t* source;
    const wchar_t* destination;
    const wchar_t* deviceRoot;
    const wchar_t* message;
    const wchar_t* sourceAfter;
    const wchar_t* destinationAfter;
};

class AddCheckTest : public JobListTest, public ::testing::WithParamInterface<AddCheckCase> {};

// Each case passes the checks before its own and fails that one: its message,
// its reset, and neither the list nor the file changes. The job C:\Data to
// E:\backup is stored already.
TEST_P(AddCheckTest, FirstFailingCheckShowsItsMessageAndResets) {
    const AddCheckCase& c = GetParam();
    Add(L"C:\\Data", L"E:\\backup");
    ASSERT_TRUE(Texts().empty());
    state.DeviceRoot = c.deviceRoot;

    Add(c.source, c.destination);

    EXPECT_EQ(Texts(), std::vector<std::wstring>{c.message});
    ASSERT_EQ(toolkit.messages().shown().size(), 1u);
    EXPECT_EQ(toolkit.messages().shown()[0].caption, kTitle);
    EXPECT_EQ(toolkit.messages().shown()[0].kind, ui::MessageKind::Notice);
    EXPECT_EQ(page->JvDirectoryEdit1.text(), c.sourceAfter);
    EXPECT_EQ(page->JvDirectoryEdit2.text(), c.destinationAfter);
    EXPECT_EQ(page->spSkinListView1.rowCount(), 1);
    EXPECT_EQ(Stored(kSourceSection, L"num"), L"1");
    EXPECT_EQ(Stored(kSourceSection, L"2"), L"(absent)");
}

INSTANTIATE_TEST_SUITE_P(
    NineChecks, AddCheckTest,
    ::testing::Values(AddCheckCase{"EmptySource", L"", L"E:\\other", L"E:\\", kSelectPath,
                                   L"Select Folder", L"E:\\other"},
                      AddCheckCase{"SourceStillSelectFolder", L"Select Folder", L"E:\\other",
                                   L"E:\\", kSelectPath, L"Select Folder", L"E:\\other"},
                      AddCheckCase{"SourceMissing", L"C:\\Gone", L"E:\\other", L"E:\\", kSelectPath,
                                   L"Select Folder", L"E:\\other"},
                      AddCheckCase{"EmptyDestination", L"C:\\Data", L"", L"E:\\", kSelectPath,
                                   L"C:\\Data", L"E:\\backup"},
                      AddCheckCase{"DestinationMissing", L"C:\\Data", L"E:\\gone", L"E:\\",
                                   kSelectPath, L"C:\\Data", L"E:\\backup"},
                      AddCheckCase{"SourceOnRemovableDrive", L"F:\\Stuff", L"E:\\other", L"E:\\",
                                   kNotLocal, L"Select Folder", L"E:\\other"},
                      AddCheckCase{"DestinationOnRemovableDrive", L"C:\\Data", L"F:\\Stuff",
                                   L"E:\\", kNotLocal, L"C:\\Data", L"E:\\backup"},
                      AddCheckCase{"DestinationNotOnEnclosure", L"C:\\Data", L"C:\\Other", L"E:\\",
                                   L"KD-RX710 is not a directory.", L"C:\\Data", L"E:\\backup"},
                      AddCheckCase{"DriveLetterCaseDiffers", L"C:\\Data", L"e:\\other", L"E:\\",
                                   L"KD-RX710 is not a directory.", L"C:\\Data", L"E:\\backup"},
                      AddCheckCase{"NoEnclosure", L"C:\\Data", L"E:\\other", L"",
                                   L"KD-RX710 is not a directory.", L"C:\\Data", L"Select Folder"},
                      AddCheckCase{"SameFolder", L"E:\\other", L"E:\\other", L"E:\\",
                                   L"The source directory and destination directory are the same.",
                                   L"Select Folder", L"E:\\backup"},
                      AddCheckCase{"AlreadyListed", L"C:\\Data", L"E:\\backup", L"E:\\",
                                   L"It is already in source directory.", L"Select Folder",
                                   L"E:\\backup"}),
    CaseName<AddCheckCase>);

TEST_F(JobListTest, AddStoresTheJobAtOnceAndResetsBothFields) {
    Add(L"C:\\Data", L"E:\\backup");
    Add(L"C:\\Data", L"E:\\other"); // same source, other destination: a new job
    Add(L"C:\\", L"E:\\backup");    // a drive root is a source like any other

    EXPECT_TRUE(Texts().empty());
    ASSERT_EQ(page->spSkinListView1.rowCount(), 3);
    EXPECT_EQ(Row(1), (std::vector<std::wstring>{L"C:\\Data", L"E:\\other"}));
    EXPECT_EQ(Stored(kSourceSection, L"num"), L"3");
    EXPECT_EQ(ReadBackupJobs(settings), (std::vector<BackupJob>{{L"C:\\Data", L"E:\\backup"},
                                                                {L"C:\\Data", L"E:\\other"},
                                                                {L"C:\\", L"E:\\backup"}}));
    EXPECT_EQ(page->JvDirectoryEdit1.text(), L"Select Folder");
    EXPECT_EQ(page->JvDirectoryEdit2.text(), L"E:\\backup");
}

struct FirstJobCase {
    const char* name;
    const wchar_t* destination;
    bool backupIsAFile;     // E:\backup is taken by a file
    const wchar_t* message; // nullptr: the job is added
    bool backupFolderAfter;
};

class FirstJobTest : public BackupUiTest, public ::testing::WithParamInterface<FirstJobCase> {};

// A new enclosure has no backup folder until its first run. Only the preset
// destination, DeviceRoot + "backup" letter for letter, is made by Add.
TEST_P(FirstJobTest, PresetBackupFolderIsMadeAndNoOtherFolder) {
    const FirstJobCase& c = GetParam();
    files.AddFolder(L"C:\\Data");
    if (c.backupIsAFile) {
        files.AddFile(L"E:\\backup", "x");
    }
    page->JvDirectoryEdit1.setText(L"C:\\Data");
    page->JvDirectoryEdit2.setText(c.destination);

    page->spSkinButton3.click();

    if (c.message == nullptr) {
        EXPECT_TRUE(Texts().empty());
        EXPECT_EQ(ReadBackupJobs(settings), (std::vector<BackupJob>{{L"C:\\Data", c.destination}}));
    } else {
        EXPECT_EQ(Texts(), std::vector<std::wstring>{c.message});
        EXPECT_EQ(page->spSkinListView1.rowCount(), 0);
        EXPECT_EQ(page->JvDirectoryEdit1.text(), L"C:\\Data");
    }
    EXPECT_EQ(page->JvDirectoryEdit2.text(), L"E:\\backup");
    EXPECT_EQ(platform::FolderExists(files, L"E:\\backup"), c.backupFolderAfter);
    EXPECT_FALSE(platform::FolderExists(files, L"E:\\other"));
    EXPECT_EQ(files.Content(L"E:\\backup"),
              c.backupIsAFile ? std::optional<std::string>("x") : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    FreshEnclosure, FirstJobTest,
    ::testing::Values(FirstJobCase{"PresetIsMade", L"E:\\backup", false, nullptr, true},
                      FirstJobCase{"OtherFolderIsNotMade", L"E:\\other", false, kSelectPath, false},
                      FirstJobCase{"LetterCaseDiffers", L"e:\\backup", false, kSelectPath, false},
                      FirstJobCase{"TrailingBackslash", L"E:\\backup\\", false, kSelectPath, false},
                      FirstJobCase{"NameTakenByAFile", L"E:\\backup", true, kSelectPath, false}),
    CaseName<FirstJobCase>);

// A refused write shows the settings file's error; the list then shows no job
// that is not stored, and no count names a missing job.
TEST_F(JobListTest, AddWithTheFileReadOnlyShowsTheWriteErrorAndListsNothing) {
    Add(L"C:\\Data", L"E:\\backup");
    profile.SetReadOnly(kSettingsPath, true);

    Add(L"C:\\Data", L"E:\\other");

    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"Unable to write to C:\\Stowkeep\\set.ini"});
    EXPECT_EQ(page->spSkinListView1.rowCount(), 1);
    EXPECT_EQ(page->JvDirectoryEdit1.text(), L"C:\\Data");
    EXPECT_EQ(ReadBackupJobs(settings).size(), 1u);
}

TEST_F(JobListTest, LoadStopsAtTheFirstJobWithAnEmptyPath) {
    profile.PutFile(kSettingsPath, L"[BackupSource]\r\nnum=3\r\n1=C:\\A\r\n2=C:\\B\r\n3=C:\\C\r\n"
                                   L"[BackupDestination]\r\n1=E:\\backup\r\n3=E:\\backup\r\n");
    page->LoadBackupJobs();
    ASSERT_EQ(page->spSkinListView1.rowCount(), 1);
    EXPECT_EQ(Row(0), (std::vector<std::wstring>{L"C:\\A", L"E:\\backup"}));
}

TEST_F(JobListTest, LoadOfAMissingFileGivesAnEmptyList) {
    page->LoadBackupJobs();
    EXPECT_EQ(page->spSkinListView1.rowCount(), 0);
}

TEST_F(JobListTest, RowClickFillsBothFieldsAndAClickOnNothingChangesNothing) {
    Add(L"C:\\Data", L"E:\\backup");
    Add(L"C:\\Other", L"E:\\other");

    page->spSkinListView1.clickRow(1);
    EXPECT_EQ(page->JvDirectoryEdit1.text(), L"C:\\Other");
    EXPECT_EQ(page->JvDirectoryEdit2.text(), L"E:\\other");

    Fields(L"C:\\typed", L"E:\\typed");
    page->spSkinListView1.clickRow(-1);
    EXPECT_EQ(page->JvDirectoryEdit1.text(), L"C:\\typed");
    EXPECT_EQ(page->JvDirectoryEdit2.text(), L"E:\\typed");
}

class DeleteTest : public JobListTest {
  protected:
    DeleteTest() {
        Add(L"C:\\Data", L"E:\\backup");
        Add(L"C:\\Other", L"E:\\backup");
        Add(L"C:\\Data", L"E:\\other");
    }
};

TEST_F(DeleteTest, DeletingTheFirstOfThreeMovesTheKeysDown) {
    page->spSkinListView1.clickRow(0);
    page->spSkinButton4.click();

    EXPECT_TRUE(Texts().empty());
    ASSERT_EQ(page->spSkinListView1.rowCount(), 2);
    EXPECT_EQ(Row(0), (std::vector<std::wstring>{L"C:\\Other", L"E:\\backup"}));
    EXPECT_EQ(Stored(kSourceSection, L"num"), L"2");
    EXPECT_EQ(Stored(kSourceSection, L"1"), L"C:\\Other");
    EXPECT_EQ(Stored(kDestinationSection, L"1"), L"E:\\backup");
    EXPECT_EQ(Stored(kSourceSection, L"2"), L"C:\\Data");
    EXPECT_EQ(Stored(kDestinationSection, L"2"), L"E:\\other");
    // Key 3 stays, emptied, in both sections.
    EXPECT_EQ(Stored(kSourceSection, L"3"), L"");
    EXPECT_EQ(Stored(kDestinationSection, L"3"), L"");
    EXPECT_EQ(page->JvDirectoryEdit1.text(), L"Select Folder");
    EXPECT_EQ(page->JvDirectoryEdit2.text(), L"E:\\backup");
}

TEST_F(DeleteTest, DeletingTheLastJobOnlyLowersTheCount) {
    page->spSkinListView1.clickRow(2);
    page->spSkinButton4.click();
    EXPECT_EQ(ReadBackupJobs(settings), (std::vector<BackupJob>{{L"C:\\Data", L"E:\\backup"},
                                                                {L"C:\\Other", L"E:\\backup"}}));
    EXPECT_EQ(page->spSkinListView1.rowCount(), 2);
}

struct DeleteNothingCase {
    const char* name;
    const wchar_t* source;
    const wchar_t* destination;
    const wchar_t* sourceAfter;
    const wchar_t* destinationAfter;
};

class DeleteNothingTest : public DeleteTest,
                          public ::testing::WithParamInterface<DeleteNothingCase> {};

TEST_P(DeleteNothingTest, LeavesListAndFileAsTheyWere) {
    const auto before = profile.FileText(kSettingsPath);
    Fields(GetParam().source, GetParam().destination);
    page->spSkinButton4.click();
    EXPECT_EQ(page->spSkinListView1.rowCount(), 3);
    EXPECT_EQ(profile.FileText(kSettingsPath), before);
    EXPECT_EQ(page->JvDirectoryEdit1.text(), GetParam().sourceAfter);
    EXPECT_EQ(page->JvDirectoryEdit2.text(), GetParam().destinationAfter);
    EXPECT_TRUE(Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteNothingTest,
    ::testing::Values(
        // A pair that is no job: the fields are reset all the same.
        DeleteNothingCase{"NotAJob", L"C:\\Other", L"E:\\other", L"Select Folder", L"E:\\backup"},
        DeleteNothingCase{"CaseDiffers", L"c:\\data", L"E:\\backup", L"Select Folder",
                          L"E:\\backup"},
        // "Select Folder" in either field: nothing at all, the fields included.
        DeleteNothingCase{"SourceSelectFolder", L"Select Folder", L"E:\\other", L"Select Folder",
                          L"E:\\other"},
        DeleteNothingCase{"DestinationSelectFolder", L"C:\\Data", L"Select Folder", L"C:\\Data",
                          L"Select Folder"}),
    CaseName<DeleteNothingCase>);

} // namespace
} // namespace stowkeep::backup::testing

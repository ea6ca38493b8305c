#include "images/image_page.h"
#include "images/image_size.h"

#include <system_error>

namespace stowkeep::images {
namespace {

constexpr int kStatusColumn = 4;
constexpr const wchar_t* kSelectFolder = L"Select Folder";

} // namespace

bool ImagePage::FolderIsRefused(const std::wstring& folder) {
    const wchar_t* message = nullptr;
    if (folder.empty() || !platform::FolderExists(services_.files, folder)) {
        message = L"Please select path to backup.";
    } else if (services_.files.DriveKind(folder.substr(0, 3)) != platform::DriveType::fixed) {
        message = L"Please select folder in Local disk.";
    }
    if (!message) {
        return false;
    }
    services_.messages.notice(message);
    JvDirectoryEdit3.setText(kSelectFolder);
    return true;
}

// The page's inputs and buttons, in the order a run disables and enables them.
void ImagePage::SetInputsEnabled(bool enabled) {
    ui::Control* const controls[] = {
        &JvDirectoryEdit3,     &spSkinGroupBox3, &spSkinCheckRadioBox5, &spSkinCheckRadioBox6,
        &spSkinCheckRadioBox7, &spSkinEdit2,     &spSkinSpinEdit1,      &spSkinButton7,
        &spSkinButton11,       &spSkinButton8,   &spSkinButton6};
    for (ui::Control* control : controls) {
        control->setEnabled(enabled);
    }
}

void ImagePage::SetStatus(int row, const wchar_t* status) {
    spSkinListView2.setCell(row, kStatusColumn, status);
    services_.dispatcher.processPendingMessages();
}

// A new file, or an existing one emptied, given its length without writing any data.
bool ImagePage::CreateSizedFile(std::int64_t size) {
    platform::FileHandle file =
        services_.files.Open(ImagePath, platform::Access::read_write, platform::share_none,
                             platform::Disposition::create_always);
    return file && file->SetLength(static_cast<std::uint64_t>(size));
}

// Makes the file of one row; false when the run must stop here.
bool ImagePage::MakeRow(int row, const std::wstring& folder, bool slow) {
    SetStatus(row, L"Generating");
    ImagePath =
        folder + spSkinListView2.cell(row, 2) + ExtensionForLabel(spSkinListView2.cell(row, 1));
    const std::optional<std::int64_t> size = RowSizeInBytes(spSkinListView2.cell(row, 3));
    const std::optional<std::uint64_t> free = services_.files.FreeBytes(folder.substr(0, 3));
    // A volume whose free space cannot be read has no room to promise.
    if (!size || *size < 1 || !free || *free <= static_cast<std::uint64_t>(*size)) {
        SetStatus(row, L"Data Overflow");
        return false;
    }
    if (!CreateSizedFile(*size)) {
        SetStatus(row, L"Error");
        return true;
    }
    ZeroFillResult.store(ZeroFill::ok);
    services_.dispatcher.processPendingMessages();
    if (slow) {
        ZeroFillResult.store(ZeroFill::non);
        try {
            ui::Signal finished;
            TVHDDThread worker(services_.files, ImagePath, ZeroFillResult,
                               [&finished] { finished.set(); });
            services_.dispatcher.waitUntil(finished);
        } catch (const std::system_error&) {
            ZeroFillResult.store(ZeroFill::no);
        }
    }
    SetStatus(row, ZeroFillResult.load() == ZeroFill::ok ? L"Completed" : L"Error");
    return true;
}

bool ImagePage::RunCompleted() const {
    for (int row = 0; row < spSkinListView2.rowCount(); ++row) {
        const std::wstring status = spSkinListView2.cell(row, kStatusColumn);
        if (status == L"Error" || status == L"Data Overflow") {
            return false;
        }
    }
    return true;
}

void ImagePage::spSkinButton8Click() {
    std::wstring folder = JvDirectoryEdit3.text();
    if (running_ || FolderIsRefused(folder)) {
        return;
    }
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    const bool slow = services_.settings.ReadText(L"Virtual_HDD", L"Option", L"Slow") == L"Slow";
    running_ = true;
    services_.wait.Show();
    SetInputsEnabled(false);
    const int rows = spSkinListView2.rowCount();
    for (int row = 0; row < rows; ++row) {
        if (!MakeRow(row, folder, slow)) {
            break;
        }
    }
    services_.wait.Close();
    SetInputsEnabled(true);
    if (RunCompleted()) {
        services_.messages.notice(L"File create is Completed.");
    } else {
        services_.messages.error(L"File create is Not Completed.");
    }
    spSkinListView2.clear();
    running_ = false;
}

} // namespace stowkeep::images

#include "images/file_name_rule.h"
#include "images/image_page.h"
#include "images/image_size.h"

namespace stowkeep::images {
namespace {

bool IsBlankOrControl(wchar_t c) {
    return c <= L' ';
}

bool IsBlankName(const std::wstring& name) {
    for (wchar_t c : name) {
        if (!IsBlankOrControl(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

void ImagePage::spSkinCheckRadioBox5Click() {
    spSkinSpinEdit1.setEnabled(false);
    spSkinSpinEdit1.setText(kFloppySizeText);
    spSkinStdLabel7.setText(Describe(DiskType::Floppy).unit);
}

void ImagePage::spSkinCheckRadioBox6Click() {
    spSkinSpinEdit1.setEnabled(true);
    spSkinSpinEdit1.setText(L"0");
    spSkinStdLabel7.setText(Describe(DiskType::Fixed).unit);
}

std::optional<DiskType> ImagePage::SelectedType() const {
    if (spSkinCheckRadioBox5.checked()) {
        return DiskType::Floppy;
    }
    if (spSkinCheckRadioBox6.checked()) {
        return DiskType::Removable;
    }
    if (spSkinCheckRadioBox7.checked()) {
        return DiskType::Fixed;
    }
    return std::nullopt;
}

// Shows why Add refused and moves the focus where the user fixes it.
bool ImagePage::Refuse(const wchar_t* message, ui::Control* focus) {
    services_.messages.notice(message);
    if (focus) {
        focus->setFocus();
    }
    return true;
}

bool ImagePage::NameIsRefused(const std::wstring& name, const DiskTypeInfo& type,
                              const std::wstring& path) {
    if (IsBlankName(name)) {
        return Refuse(L"Please write File Name.", &spSkinEdit2);
    }
    if (!IsUsableFileName(name)) {
        return Refuse(kUnusableFileNameMessage, &spSkinEdit2);
    }
    const wchar_t* clash = nullptr;
    if (platform::FileExists(services_.files, path)) {
        clash = L"Same filename is existed in the target folder.";
    } else if (IsListed(name, type.label)) {
        clash = L"There is same name in the list.";
    }
    if (clash) {
        spSkinEdit2.setText(L"");
        return Refuse(clash, &spSkinEdit2);
    }
    return false;
}

// The list compares name and type exactly: disk1 and DISK1 are two requests.
bool ImagePage::IsListed(const std::wstring& name, const std::wstring& label) const {
    for (int row = 0; row < spSkinListView2.rowCount(); ++row) {
        if (spSkinListView2.cell(row, 2) + spSkinListView2.cell(row, 1) == name + label) {
            return true;
        }
    }
    return false;
}

bool ImagePage::SizeIsRefused(const std::wstring& path) {
    const std::wstring& text = spSkinSpinEdit1.text();
    const std::optional<std::int32_t> size = ParseSizeField(text);
    if (text.empty() || !size) {
        return Refuse(L"Please define File Size.", &spSkinSpinEdit1);
    }
    if (*size < 1) {
        return Refuse(L"File size must be greater than 0.", &spSkinSpinEdit1);
    }
    const std::int64_t bytes = *size * UnitBytes(spSkinStdLabel7.text());
    if (bytes > kFat32Limit && services_.files.VolumeFileSystem(path.substr(0, 3)) == L"FAT32") {
        return Refuse(L"4GB file can not be made in FAT32 file system.", &spSkinSpinEdit1);
    }
    return false;
}

void ImagePage::spSkinButton7Click() {
    const std::optional<DiskType> type = SelectedType();
    if (!type) {
        Refuse(L"Please select Disk Type.", nullptr);
        return;
    }
    const DiskTypeInfo& info = Describe(*type);
    const std::wstring name = spSkinEdit2.text();
    const std::wstring path = JvDirectoryEdit3.text() + L"\\" + name + info.extension;
    if (NameIsRefused(name, info, path) || SizeIsRefused(path)) {
        return;
    }
    const int number = spSkinListView2.rowCount() + 1;
    spSkinListView2.addRow(
        std::to_wstring(number),
        {info.label, name, spSkinSpinEdit1.text() + L" " + spSkinStdLabel7.text(), L"Waiting"});
    spSkinEdit2.setText(L"");
    spSkinEdit2.setFocus();
}

void ImagePage::spSkinButton11Click() {
    if (!running_) {
        spSkinListView2.clear();
    }
}

} // namespace stowkeep::images

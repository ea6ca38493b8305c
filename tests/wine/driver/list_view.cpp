#include "tests/wine/driver/list_view.h"

#include <commctrl.h>
#include <memory>

namespace stowkeep::driver {

namespace {

constexpr int kTextCapacity = 512;

struct ProcessCloser {
    void operator()(HANDLE process) const { CloseHandle(process); }
};
using ProcessHandle = std::unique_ptr<void, ProcessCloser>;

// A block of memory inside another process, released with it.
class RemoteBlock {
  public:
    RemoteBlock(HANDLE process, SIZE_T size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    char* Address() const { return static_cast<char*>(address_); }

  private:
    HANDLE process_;
    void* address_;
};

struct RemoteItem {
    LVITEMW item;
    wchar_t text[kTextCapacity];
};

int ColumnCount(HWND listView) {
    auto header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    const auto columns = header ? SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    return columns > 0 ? static_cast<int>(columns) : 1;
}

std::wstring CellText(HANDLE process, const RemoteBlock& block, HWND listView, int row,
                      int column) {
    RemoteItem local{};
    local.item.iSubItem = column;
    local.item.cchTextMax = kTextCapacity;
    local.item.pszText = reinterpret_cast<wchar_t*>(block.Address() + offsetof(RemoteItem, text));
    if (!WriteProcessMemory(process, block.Address(), &local, sizeof local, nullptr))
        return {};
    SendMessageW(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(block.Address()));
    if (!ReadProcessMemory(process, block.Address(), &local, sizeof local, nullptr))
        return {};
    local.text[kTextCapacity - 1] = L'\0';
    return local.text;
}

} // namespace

std::vector<std::vector<std::wstring>> ListViewRows(HWND listView) {
    DWORD processId = 0;
    GetWindowThreadProcessId(listView, &processId);
    ProcessHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process)
        return {};
    RemoteBlock block(process.get(), sizeof(RemoteItem));
    if (!block.Address())
        return {};
    const auto rows = static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    const int columns = ColumnCount(listView);
    std::vector<std::vector<std::wstring>> table;
    for (int row = 0; row < rows; ++row) {
        auto& cells = table.emplace_back();
        for (int column = 0; column < columns; ++column)
            cells.push_back(CellText(process.get(), block, listView, row, column));
    }
    return table;
}

} // namespace stowkeep::driver

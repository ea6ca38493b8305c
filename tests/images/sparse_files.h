#pragma once

#include "platform/fake/files_fake.h"
#include "platform/forwarding_files.h"

#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace stowkeep::images {

// The in-memory file system with files that keep only their length and the writes made to
// them, so that a request of many gigabytes costs nothing. Opening, existence, folders,
// volumes and injected faults are the in-memory machine's own.
class SparseFiles : public platform::ForwardingFileSystem {
  public:
    struct Write {
        std::uint64_t offset;
        std::string bytes;
        bool operator==(const Write&) const = default;
        friend void PrintTo(const Write& write, std::ostream* out) {
            *out << write.bytes.size() << " bytes at " << write.offset;
        }
    };

    explicit SparseFiles(platform::FakeFileSystem& disk)
        : ForwardingFileSystem(disk), disk_(disk) {}

    std::optional<std::uint64_t> Length(const std::wstring& path) const;
    std::vector<Write> Writes(const std::wstring& path) const;
    void RefuseLength(const std::wstring& path); // SetLength on that file fails

    platform::FileHandle Open(const std::wstring& path, platform::Access access, unsigned share,
                              platform::Disposition disposition,
                              platform::FileError* error = nullptr) override;

  private:
    friend class SparseFile;
    struct Record {
        std::optional<std::uint64_t> length;
        std::vector<Write> writes;
        bool refuseLength = false;
    };

    platform::FakeFileSystem& disk_;
    mutable std::mutex mutex_; // the zero-fill worker writes from its own thread
    std::map<std::wstring, Record> records_;
};

} // namespace stowkeep::images

#pragma once

// The inside of FakeFileSystem, shared by its source files.

#include "platform/fake/files_fake.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace stowkeep::platform {

struct FakeNode;
using FakeNodePtr = std::shared_ptr<FakeNode>;

struct FakeOpening {
    Access access;
    unsigned share;
};

struct FakeNode {
    std::wstring name;
    std::uint32_t attributes = kAttrArchive;
    wchar_t volume = 0;
    std::wstring junctionTarget; // set for a junction
    std::uint32_t reparseTag = 0;
    std::string data;
    std::string durable;                          // what a power cut leaves of data
    std::map<std::wstring, FakeNodePtr> children; // keyed by upper-case name
    std::vector<const FakeOpening*> openings;

    bool IsFolder() const { return (attributes & kAttrDirectory) != 0; }
};

struct FakeVolume {
    std::uint64_t freeBytes = 0;
    std::wstring fileSystem;
    DriveType type = DriveType::fixed;
    FakeNodePtr root;
    bool volumeFlush = true;
    int mount = 0; // raised at every plug; older handles stay dead
};

// Where a path leads: the folder holding its last item, and the item itself
// when it exists. key is the path in upper case, one backslash between items.
struct FakeLocation {
    FakeNodePtr parent;
    FakeNodePtr node;
    std::wstring name;
    std::wstring key;
};

struct FakeFileSystem::State {
    mutable std::mutex mutex;
    std::map<wchar_t, FakeVolume> volumes;
    std::vector<Fault> faults;
    std::map<wchar_t, FakeVolume> unplugged;
    int openFiles = 0;
    int calls = 0;

    // Both called with the mutex held. Junctions on the way are followed;
    // the last item only when followLast is set.
    std::optional<FakeLocation> Locate(const std::wstring& path, bool followLast, int depth = 0);
    // Locate for a file call: nothing for a path longer than Windows takes,
    // a plain one longer than plainLimit.
    std::optional<FakeLocation> Reach(const std::wstring& path, bool followLast,
                                      std::size_t plainLimit);
    // Counts this call down against the injected faults; true when it fails.
    bool TakeFault(Op op, const std::wstring& key, FileError& error);
    // Called with the mutex held.
    void Unplug(wchar_t letter);
};

std::wstring FakeUpper(std::wstring_view text);
std::wstring FakePathKey(const std::wstring& path);
// Whether Windows takes path in a call whose plain paths have at most
// plainLimit characters (paths in the \\?\ form: kMaxLongPath).
bool FakeWithinLimit(const std::wstring& path, std::size_t plainLimit);
// Every file of a volume's tree, junctions not followed.
void FakeForEachFile(const FakeNodePtr& folder, const std::function<void(FakeNode&)>& visit);

} // namespace stowkeep::platform

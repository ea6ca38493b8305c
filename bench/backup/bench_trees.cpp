#include "bench_trees.h"

#include <numeric>
#include <random>

namespace stowkeep::bench {
namespace {

using platform::Access;
using platform::Disposition;

bool WriteFile(platform::FileSystem& files, const std::wstring& path, const std::string& content) {
    const auto file =
        files.Open(path, Access::write, platform::share_none, Disposition::create_always);
    return file && file->Write(content.data(), content.size()) && file->Flush();
}

} // namespace

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::vector<std::size_t> FileSizes(const TreeShape& shape) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> size(shape.minSize, shape.maxSize);
    std::vector<std::size_t> sizes(static_cast<std::size_t>(shape.files));
    for (std::size_t& s : sizes) {
        s = size(random);
    }
    return sizes;
}

std::uint64_t TreeBytes(const TreeShape& shape) {
    const auto sizes = FileSizes(shape);
    return std::accumulate(sizes.begin(), sizes.end(), std::uint64_t{0});
}

bool MakeTree(platform::FileSystem& files, const std::wstring& folder, const TreeShape& shape) {
    // The marker lies beside the tree, so that it is not copied with it.
    const std::wstring done = folder + Wide(shape.name) + L".done";
    if (platform::FileExists(files, done)) {
        return true;
    }
    const std::wstring tree = folder + Wide(shape.name) + L"\\";
    if (!platform::FolderExists(files, tree) && !files.MakeFolder(tree)) {
        return false;
    }
    std::mt19937 random(42);
    const auto sizes = FileSizes(shape);
    std::string content;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::wstring sub = tree + L"d" + std::to_wstring(i / shape.perFolder);
        if (!platform::FolderExists(files, sub) && !files.MakeFolder(sub)) {
            return false;
        }
        content.resize(sizes[i]);
        for (char& c : content) {
            c = static_cast<char>(random());
        }
        if (!WriteFile(files, sub + L"\\f" + std::to_wstring(i), content)) {
            return false;
        }
    }
    return WriteFile(files, done, "");
}

} // namespace stowkeep::bench

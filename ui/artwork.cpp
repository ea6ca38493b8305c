#include "ui/artwork.h"

#include <stdexcept>

namespace stowkeep::ui {

Artwork::Artwork(std::wstring name, int width, int height, int frames, Painter painter,
                 std::vector<TextOverlay> texts)
    : name_(std::move(name)), width_(width), height_(height), frames_(frames),
      painter_(std::move(painter)), texts_(std::move(texts)) {}

void PictureStore::add(PictureRef picture) {
    pictures_[picture->name()] = std::move(picture);
}

bool PictureStore::contains(const std::wstring& name) const {
    return pictures_.count(name) != 0;
}

PictureRef PictureStore::get(const std::wstring& name) const {
    auto found = pictures_.find(name);
    if (found == pictures_.end())
        throw std::out_of_range("no picture of that name");
    return found->second;
}

std::vector<std::wstring> PictureStore::names() const {
    std::vector<std::wstring> result;
    for (const auto& [name, picture] : pictures_)
        result.push_back(name);
    return result;
}

} // namespace stowkeep::ui

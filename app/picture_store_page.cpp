#include "app/picture_store_page.h"

namespace stowkeep::app {

namespace {

namespace pn = ui::picture_names;

struct StoredPicture {
    const char* name;
    const wchar_t* picture;
};

constexpr StoredPicture kStore[] = {
    {"Image7", pn::BackupNormal},
    {"Image8", pn::BackupHover},
    {"Image9", pn::BackupPressed},
    {"Image28", pn::BackupNoDevice},
    {"Image22", pn::VirtualHddNormal},
    {"Image23", pn::VirtualHddHover},
    {"Image24", pn::VirtualHddPressed},
    {"Image29", pn::VirtualHddNoDevice},
    {"Image10", pn::SettingNormal},
    {"Image11", pn::SettingHover},
    {"Image12", pn::SettingPressed},
    {"Image13", pn::SafeRemovalNormal},
    {"Image14", pn::SafeRemovalHover},
    {"Image15", pn::SafeRemovalPressed},
    {"Image30", pn::SafeRemovalNoDevice},
    {"Image26", pn::LogoWide},
    {"Image27", pn::Logo},
};

} // namespace

PictureStorePage::PictureStorePage(ui::Page& page, const ui::PictureStore& pictures) : page_(page) {
    int left = 0;
    for (const StoredPicture& stored : kStore) {
        auto picture = pictures.get(stored.picture);
        page.addPicture(stored.name, {left, 0, picture->width(), picture->height()}, picture);
        left += picture->width();
    }
}

const ui::PictureRef& PictureStorePage::Picture(std::string_view name) const {
    return page_.get<ui::Picture>(name).picture();
}

} // namespace stowkeep::app

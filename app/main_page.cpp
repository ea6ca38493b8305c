#include "app/main_page.h"

#include "app/texts.h"

namespace stowkeep::app {

// Which store pictures a button shows in each state; noDevice is null for the
// Setting button, which works with or without the enclosure.
struct MainPage::ButtonPictures {
    const char* button;
    const wchar_t* text;
    ui::Rect bounds;
    const char* normal;
    const char* hover;
    const char* pressed;
    const char* noDevice;
};

namespace {

using ButtonPictures = MainPage::ButtonPictures;

constexpr ButtonPictures kButtons[] = {
    {"Image16", L"Backup", {54, 85, 100, 79}, "Image7", "Image8", "Image9", "Image28"},
    {"Image17", L"Virtual HDD", {171, 85, 100, 79}, "Image22", "Image23", "Image24", "Image29"},
    {"Image18", L"Setting", {288, 85, 100, 79}, "Image10", "Image11", "Image12", nullptr},
    {"Image19", L"Safe Removal", {405, 85, 100, 79}, "Image13", "Image14", "Image15", "Image30"},
};

} // namespace

MainPage::MainPage(ui::Page& page, const PictureStorePage& store, const MainState& state,
                   Actions actions)
    : page_(page), store_(store), state_(state) {
    Wire(kButtons[0], std::move(actions.Image16Click));
    Wire(kButtons[1], std::move(actions.Image17Click));
    Wire(kButtons[2], std::move(actions.Image18Click));
    Wire(kButtons[3], std::move(actions.Image19Click));

    const auto& logo = store.Picture("Image27");
    page.addPicture("Image1", {54, 296, logo->width(), logo->height()}, logo);
    page.addLabel("spSkinStdLabel1", {430, 275, 0, 0}, {});
    auto& link = page.addLinkLabel("spSkinLinkLabel1", {185, 317, 0, 0}, {});
    link.onClick = std::move(actions.spSkinLinkLabel1Click);
    auto& close = page.addButton("spSkinButton5", {430, 304, 75, 27}, L"Close");
    close.onClick = std::move(actions.spSkinButton5Click);
}

void MainPage::Wire(const ButtonPictures& pictures, std::function<void()> click) {
    // No enclosure is known until the first device search has run.
    const char* first = pictures.noDevice ? pictures.noDevice : pictures.normal;
    auto& button = page_.addPictureButton(pictures.button, pictures.bounds, pictures.text,
                                          store_.Picture(first));
    auto show = [this, &button, &pictures](const char* picture) {
        if (Active(pictures))
            button.setPicture(store_.Picture(picture));
    };
    button.onMouseEnter = [show, &pictures] { show(pictures.hover); };
    button.onMouseDown = [show, &pictures] { show(pictures.pressed); };
    button.onMouseLeave = [show, &pictures] { show(pictures.normal); };
    button.onClick = [this, &pictures, click = std::move(click)] {
        if (Active(pictures) && click)
            click();
    };
}

bool MainPage::Active(const ButtonPictures& pictures) const {
    return pictures.noDevice == nullptr || state_.DeviceState == L"ok";
}

void MainPage::ShowDevicePictures(bool present) {
    for (const ButtonPictures& pictures : kButtons)
        if (pictures.noDevice)
            page_.get<ui::PictureButton>(pictures.button)
                .setPicture(store_.Picture(present ? pictures.normal : pictures.noDevice));
}

} // namespace stowkeep::app

#include "app/unit3.h"

#include "app/texts.h"
#include "app/unit1.h"

namespace stowkeep::app {

TForm3::TForm3(ui::Toolkit& toolkit, const TForm1& main) {
    ui::WindowOptions options;
    options.caption = std::wstring(kAboutCaption);
    options.clientWidth = 379;
    options.clientHeight = 137;
    options.frame = ui::Frame::Dialog;
    window_ = toolkit.createWindow("Form3", options);
    window_->addPicture("Image1", {21, 0, 0, 0}, nullptr);
    window_->addLabel("spSkinStdLabel1", {163, 34, 0, 0}, {});
    window_->addLabel("spSkinStdLabel2", {163, 56, 0, 0}, {});
    auto& ok = window_->addButton("spSkinButton1", {288, 96, 75, 25}, L"OK");
    ok.setDefault(true);
    ok.setCancel(true);
    ok.onClick = [this] { spSkinButton1Click(); };
    FormCreate(main);
}

void TForm3::FormCreate(const TForm1& main) {
    auto& logo = window_->get<ui::Picture>("Image1");
    const auto& picture = main.Store().Picture("Image27");
    logo.setPicture(picture);
    logo.setBounds({21, 34, picture->width(), picture->height()});
    window_->get<ui::Label>("spSkinStdLabel2").setText(std::wstring(kCopyrightText));
    window_->get<ui::Label>("spSkinStdLabel1").setText(main.VersionLabel().text());
}

void TForm3::Show() {
    window_->show();
    window_->bringToFront();
}

void TForm3::spSkinButton1Click() {
    window_->hide();
}

} // namespace stowkeep::app

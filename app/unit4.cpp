#include "app/unit4.h"

#include "app/texts.h"

namespace stowkeep::app {

TForm4::TForm4(ui::Toolkit& toolkit, const ui::Window& main) {
    ui::WindowOptions options;
    options.clientWidth = 245;
    options.clientHeight = 97;
    options.frame = ui::Frame::RoundedPopup;
    options.centreOver = &main;
    window_ = toolkit.createWindow("Form4", options);
    window_->addPicture("Image1", {96, 8, 50, 50}, toolkit.pictures().get(ui::picture_names::Busy));
    window_->addLabel("Label1", {63, 65, 0, 0}, std::wstring(kPleaseWait), {true, 16});
    window_->onShow = [this] { FormShow(); };
}

void TForm4::FormShow() {
    window_->get<ui::Picture>("Image1").startAnimation();
}

void TForm4::Show() {
    window_->show();
}

void TForm4::Close() {
    window_->get<ui::Picture>("Image1").stopAnimation();
    window_->hide();
}

} // namespace stowkeep::app

#include "app/library_binding.h"

namespace stowkeep::app {

LibraryBinding::LibraryBinding(platform::Libraries& libraries, const platform::ModulePath& module)
    : libraries_(libraries), path_(platform::FileBesideExecutable(module, kDeviceLibraryName)) {}

// A binding that is never unloaded explicitly (the Exit command ends the
// process) still leaves the library stopped if it is destroyed.
LibraryBinding::~LibraryBinding() {
    Unload();
}

void LibraryBinding::Load() {
    library_ = libraries_.Load(path_);
    Call("DllSet");
}

std::optional<std::int32_t> LibraryBinding::Call(const std::string& name) const {
    if (!library_)
        return std::nullopt;
    auto function = library_->Find(name);
    if (!function)
        return std::nullopt;
    return function();
}

bool LibraryBinding::Has(const std::string& name) const {
    return library_ && static_cast<bool>(library_->Find(name));
}

void LibraryBinding::Unload() {
    if (!library_)
        return;
    Call("DllEnd");
    library_.reset();
}

} // namespace stowkeep::app

#include "tests/app/app_world.h"

#include "drives/list_volume_paths.h"
#include "settings/autorun.h"

namespace stowkeep::app::testing {

AppWorld::AppWorld(std::wstring ownExeName) {
    profiles.AddFolder(kExeFolder);
    registry.AddKey(settings::kRunKeyPath);
    processes.Add({kOwnId, kOwnSession, std::move(ownExeName)});
}

void AppWorld::PutLibrary(std::vector<std::string> exports) {
    platform::fake::FakeLibraries::Exports table;
    for (const auto& name : exports)
        table[name] = [this, name]() -> std::int32_t {
            // The one-touch watcher polls this export on its own thread.
            if (name == "ButtonStatus")
                return buttonCode.load();
            libraryCalls.push_back(name);
            return name == "SafelyRemove" ? safelyRemoveResult : 0;
        };
    libraries.Put(kLibraryPath, std::move(table));
}

void AppWorld::PutUsbVolume(const std::string& vendor, wchar_t letter) {
    platform::FakeStorageVolume volume;
    volume.name = platform::FakeVolumeName(1);
    volume.busType = platform::kBusTypeUsb;
    volume.vendorId = vendor;
    volume.driveType = platform::kDriveFixed;
    volume.extents.push_back({1, 1048576, 1LL << 30});
    volumes.AddVolume(volume);
    volumes.MountAtLetter(volume.name, letter);
    files.AddVolume(letter, 1ULL << 40);
}

TForm1Services AppWorld::Services() {
    return TForm1Services{
        toolkit,
        module,
        libraries,
        processes,
        registry,
        profiles,
        files,
        {volumes, files, drives::ChooseListVolumePaths(volumes), deviceHook, [] {}},
        [this](const std::wstring& page) { openedPages.push_back(page); }};
}

void AppWorld::Start() {
    form1 = std::make_unique<TForm1>(Services(), forms);
    form3 = std::make_unique<TForm3>(toolkit, *form1);
    forms.about = form3.get();
    form4 = std::make_unique<TForm4>(toolkit, form1->Window());
    forms.wait = form4.get();
}

std::wstring AppWorld::PictureOf(const char* control) const {
    return Page0().get<ui::Picture>(control).picture()->name();
}

std::wstring AppWorld::StorePicture(const char* image) const {
    return form1->Store().Picture(image)->name();
}

} // namespace stowkeep::app::testing

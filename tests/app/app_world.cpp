#include "tests/app/app_world.h"

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
        table[name] = [this, name] {
            libraryCalls.push_back(name);
            return name == "SafelyRemove" ? safelyRemoveResult : 0;
        };
    libraries.Put(kLibraryPath, std::move(table));
}

void AppWorld::Start() {
    form1 = std::make_unique<TForm1>(
        TForm1Services{toolkit, module, libraries, processes, registry, profiles,
                       [this](const std::wstring& page) { openedPages.push_back(page); }},
        forms);
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

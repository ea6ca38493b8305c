// Time File Create spends per image file on a real file system. The files are made by
// setting their length, so a 20 GB image stays sparse and costs about as much as a floppy.
#include "host_folder_files.h"
#include "images/image_page.h"
#include "platform/fake/fake_profile_files.h"
#include "ui/headless/headless_toolkit.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <unistd.h>

namespace stowkeep::images {
namespace {

class NoWait : public WaitWindow {
  public:
    void Show() override {}
    void Close() override {}
};

// A scratch host folder playing drive E:, with an _iso folder in it.
std::string MakeScratchRoot() {
    char pattern[] = "/tmp/stowkeep-images-bench-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "/tmp";
}

// state.range(0): 0 floppy, 1 a 20 GB fixed disk; state.range(1): 1 "Slow" (zero fill).
void FileCreatePerFile(benchmark::State& state) {
    const std::string root = MakeScratchRoot();
    HostFolderFiles files(root);
    files.MakeFolder(L"E:\\_iso");
    platform::fake::FakeProfileFiles profile;
    profile.AddFolder(L"C:\\Tools");
    profile.PutFile(L"C:\\Tools\\set.ini", state.range(1) ? L"[Virtual_HDD]\nOption=Slow\n"
                                                          : L"[Virtual_HDD]\nOption=Fast\n");
    settings::SettingsFile settings(profile, L"C:\\Tools\\set.ini");
    ui::HeadlessToolkit toolkit;
    auto window = toolkit.createWindow("TForm1", {L"Stowkeep", 531, 363});
    auto messages = toolkit.createMessageDialog(window.get(), L"Stowkeep (KD-RX710)");
    NoWait wait;
    ImagePage page(*window, {files, settings, *messages, toolkit.dispatcher(), wait, [](int) {}});
    page.JvDirectoryEdit3.setText(L"E:\\_iso");
    const bool floppy = state.range(0) == 0;
    const std::wstring path = floppy ? L"E:\\_iso\\IMG.ima" : L"E:\\_iso\\IMG.dsk";

    for (auto _ : state) {
        state.PauseTiming();
        files.Remove(path);
        (floppy ? page.spSkinCheckRadioBox5 : page.spSkinCheckRadioBox7).click();
        page.spSkinEdit2.type(L"IMG");
        if (!floppy) {
            page.spSkinSpinEdit1.setText(L"20");
        }
        page.spSkinButton7.click();
        state.ResumeTiming();
        page.spSkinButton8.click();
    }
    files.Remove(path);
    rmdir((root + "/_iso").c_str());
    rmdir(root.c_str());
    if (toolkit.messages().shown().empty() ||
        toolkit.messages().shown().back().text != L"File create is Completed.") {
        state.SkipWithError("File Create did not complete");
    }
}

BENCHMARK(FileCreatePerFile)
    ->ArgNames({"fixed20GB", "slow"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace stowkeep::images

// stowkeep_showcase: the program's own windows, made as the program makes
// them, with one of them shown at once, for screenshots of windows that the
// program shows only in situations a script cannot easily bring about.
//   stowkeep_showcase wait    the wait window over the main window's place
#include "app/unit3.h"
#include "app/unit4.h"
#include "app/win32/win32_machine.h"

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    using namespace stowkeep::app;
    Win32Machine machine;
    OtherForms forms;
    TForm1 form1(machine.Services(machine.volumes), forms);
    TForm3 form3(machine.toolkit, form1);
    TForm4 form4(machine.toolkit, form1.Window());
    forms.about = &form3;
    forms.wait = &form4;
    if (std::wstring(commandLine) == L"wait")
        form4.Show();
    return machine.toolkit.run();
}

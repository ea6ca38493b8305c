#include "app/program_entry.h"

#include "app/texts.h"
#include "app/unit3.h"
#include "app/unit4.h"

#include <memory>

namespace stowkeep::app {

namespace {

// The program's windows, created in this order and destroyed in the reverse
// one, so the main window goes last.
class ProgramWindows {
  public:
    explicit ProgramWindows(const TForm1Services& services)
        : form1_(services, forms_), form3_(services.toolkit, form1_),
          form4_(services.toolkit, form1_.Window()) {
        forms_.about = &form3_;
        forms_.wait = &form4_;
    }

  private:
    OtherForms forms_;
    TForm1 form1_;
    TForm3 form3_;
    TForm4 form4_;
};

} // namespace

int RunProgram(platform::NamedMutexes& mutexes,
               const std::function<void(const std::wstring& text)>& plainNotice,
               const TForm1Services& services) {
    const auto mutex = mutexes.Create(kMutexName);
    if (!mutex.handle || mutex.alreadyExisted) {
        plainNotice(std::wstring(kAlreadyRunning));
        return 0;
    }
    ProgramWindows windows(services);
    return services.toolkit.run();
}

} // namespace stowkeep::app

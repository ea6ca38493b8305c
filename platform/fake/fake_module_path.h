#pragma once

#include "platform/module_path.h"

#include <string>

namespace stowkeep::platform::fake {

// An executable that lives wherever the test says.
class FakeModulePath : public ModulePath {
  public:
    explicit FakeModulePath(std::wstring executablePath);

    std::wstring ExecutablePath() const override;

  private:
    std::wstring path_;
};

} // namespace stowkeep::platform::fake

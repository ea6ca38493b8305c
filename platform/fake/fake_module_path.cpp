#include "platform/fake/fake_module_path.h"

#include <utility>

namespace stowkeep::platform::fake {

FakeModulePath::FakeModulePath(std::wstring executablePath) : path_(std::move(executablePath)) {}

std::wstring FakeModulePath::ExecutablePath() const {
    return path_;
}

} // namespace stowkeep::platform::fake

#include "startshim/win32/elevated_task.h"

#include "startshim/launch.h"

#include <memory>
// clang-format off
#include <windows.h>
#include <oleauto.h>
#include <taskschd.h>
// clang-format on

namespace stowkeep::startshim::win32 {
namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T> using ComRef = std::unique_ptr<T, ComRelease>;

struct BstrFree {
    void operator()(BSTR text) const { SysFreeString(text); }
};
using OwnedBstr = std::unique_ptr<OLECHAR, BstrFree>;

OwnedBstr MakeBstr(std::wstring_view text) {
    return OwnedBstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// Calls a getter that hands out an interface pointer; empty when it fails.
template <typename T, typename Object, typename Getter, typename... Args>
ComRef<T> Fetch(Object& object, Getter getter, Args... args) {
    T* raw = nullptr;
    if (FAILED((object.*getter)(args..., &raw))) {
        return {};
    }
    return ComRef<T>(raw);
}

ComRef<IRegisteredTask> OpenTask() {
    ITaskService* raw_service = nullptr;
    if (FAILED(CoCreateInstance(__uuidof(TaskScheduler), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(ITaskService), reinterpret_cast<void**>(&raw_service)))) {
        return {};
    }
    const ComRef<ITaskService> service(raw_service);
    VARIANT none;
    VariantInit(&none);
    if (FAILED(service->Connect(none, none, none, none))) {
        return {};
    }
    const auto root = MakeBstr(L"\\");
    const auto folder = Fetch<ITaskFolder>(*service, &ITaskService::GetFolder, root.get());
    if (!folder) {
        return {};
    }
    const auto name = MakeBstr(kElevatedTaskName);
    return Fetch<IRegisteredTask>(*folder, &ITaskFolder::GetTask, name.get());
}

std::optional<std::wstring> SingleProgramOf(IRegisteredTask& task) {
    const auto definition = Fetch<ITaskDefinition>(task, &IRegisteredTask::get_Definition);
    const auto actions =
        definition ? Fetch<IActionCollection>(*definition, &ITaskDefinition::get_Actions) : nullptr;
    LONG count = 0;
    if (!actions || FAILED(actions->get_Count(&count)) || count != 1) {
        return std::nullopt;
    }
    const auto action = Fetch<IAction>(*actions, &IActionCollection::get_Item, LONG{1});
    IExecAction* raw_exec = nullptr;
    if (!action || FAILED(action->QueryInterface(__uuidof(IExecAction),
                                                 reinterpret_cast<void**>(&raw_exec)))) {
        return std::nullopt;
    }
    const ComRef<IExecAction> exec(raw_exec);
    BSTR raw_path = nullptr;
    if (FAILED(exec->get_Path(&raw_path)) || raw_path == nullptr) {
        return std::nullopt;
    }
    const OwnedBstr path(raw_path);
    return std::wstring(path.get(), SysStringLen(path.get()));
}

} // namespace

std::optional<std::wstring> ElevatedTaskProgram() {
    const auto task = OpenTask();
    return task ? SingleProgramOf(*task) : std::nullopt;
}

bool RunElevatedTask() {
    const auto task = OpenTask();
    if (!task) {
        return false;
    }
    VARIANT no_arguments;
    VariantInit(&no_arguments);
    return Fetch<IRunningTask>(*task, &IRegisteredTask::Run, no_arguments) != nullptr;
}

} // namespace stowkeep::startshim::win32

#include <windows.h>

#include "platform/win32/Services.h"
#include "platform/win32/Text.h"

namespace sut::win32 {
namespace {

// A first version; the autostart work fills it in.
class MachineRegistry final : public Registry {
public:
    bool SetMachineString(std::string_view, std::string_view, std::string_view, bool) override {
        return false;
    }
    bool DeleteMachineValue(std::string_view, std::string_view) override { return false; }
};

}  // namespace

Registry& RealRegistry() {
    static MachineRegistry registry;
    return registry;
}

}  // namespace sut::win32

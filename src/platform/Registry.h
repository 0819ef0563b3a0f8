// The registry operations behind the autostart value. Texts are GBK byte strings.
#pragma once

#include <string_view>

namespace sut {

class Registry {
public:
    virtual ~Registry() = default;
    // Under HKEY_LOCAL_MACHINE: opens keyPath for writing, creating it when missing, and sets the
    // REG_SZ value, replacing one of the same name. False when nothing was written (no access).
    virtual bool SetMachineString(std::string_view keyPath, std::string_view name,
                                  std::string_view data) = 0;
    // Deletes the value when the key opens for writing; never creates the key. A missing value
    // is no failure.
    virtual bool DeleteMachineValue(std::string_view keyPath, std::string_view name) = 0;
};

}  // namespace sut

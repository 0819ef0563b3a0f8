// The registry operations behind the autostart value. Texts are GBK byte strings.
#pragma once

#include <string_view>

namespace sut {

class Registry {
public:
    virtual ~Registry() = default;
    // Under HKEY_LOCAL_MACHINE: opens keyPath for writing (creating it when createKey), sets the
    // REG_SZ value and closes the key. False when nothing was written.
    virtual bool SetMachineString(std::string_view keyPath, std::string_view name,
                                  std::string_view data, bool createKey) = 0;
    // Deletes the value when the key opens for writing; never creates the key.
    virtual bool DeleteMachineValue(std::string_view keyPath, std::string_view name) = 0;
};

}  // namespace sut

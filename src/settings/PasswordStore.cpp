#include "settings/PasswordStore.h"

namespace sut {

// No password is stored until the store is built.
bool IsPasswordSet(App& app, PasswordKind kind) { return !ReadPassword(app, kind).empty(); }
std::string ReadPassword(App&, PasswordKind) { return {}; }
void WritePassword(App&, PasswordKind, std::string_view) {}
void ClearPassword(App&, PasswordKind) {}

}  // namespace sut

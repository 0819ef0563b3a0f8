#include "settings/PasswordStore.h"

#include "settings/Ini.h"
#include "settings/PasswordCodec.h"

namespace sut {
namespace {

constexpr std::string_view kKey = "password";

std::string ConfigPath(const App& app) {
    return app.settingsDirectory + std::string(kPasswordFileName);
}

std::string_view SectionOf(PasswordKind kind) {
    switch (kind) {
    case PasswordKind::Start: return "Soft boot";
    case PasswordKind::Exit: return "Soft Exit";
    case PasswordKind::Lock: return "Soft lock";
    }
    return {};
}

}  // namespace

bool IsPasswordSet(App& app, PasswordKind kind) { return !ReadPassword(app, kind).empty(); }

std::string ReadPassword(App& app, PasswordKind kind) {
    return UnscramblePassword(ReadIniValue(app.files, ConfigPath(app), SectionOf(kind), kKey, ""));
}

bool WritePassword(App& app, PasswordKind kind, std::string_view text) {
    return WriteIniValue(app.files, ConfigPath(app), SectionOf(kind), kKey,
                         ScramblePassword(app.scrambleDraws, text));
}

bool ClearPassword(App& app, PasswordKind kind) {
    return WriteIniValue(app.files, ConfigPath(app), SectionOf(kind), kKey, "");
}

}  // namespace sut

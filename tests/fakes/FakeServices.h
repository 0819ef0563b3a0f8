// In-memory stand-ins for the file system, the registry, the shut-down service and the tick
// count, and a fixture that wires them with FakeUi into an App.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "FakeUi.h"
#include "app/App.h"

namespace sut::test {

// Thrown by MemoryFiles when a planned crash comes: like the process dying at that moment.
struct SimulatedCrash {};

class MemoryFiles : public Files {
public:
    std::string executablePath = "C:\\Tools\\Sutremo.exe";
    std::map<std::string, std::string> files;
    std::map<std::string, std::uint32_t> attributes;
    int replaceCount = 0;       // Replace calls that changed a file
    int crashAtReplace = -1;    // the Replace call (0: the first) that crashes, if any
    bool writable = true;       // false: every Replace fails, as on a read-only medium
    std::vector<std::string> leftoversRemoved;  // every RemoveLeftovers, in order
    // Called after every Replace that changed a file, with the new contents.
    std::function<void(const std::string& path, std::string_view contents)> onReplace;

    std::string ExecutablePath() override { return executablePath; }
    bool Read(const std::string& path, std::string& contents) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        contents = it->second;
        return true;
    }
    // Atomic, like the real one: the file holds the old or the new contents, nothing between.
    bool Replace(const std::string& path, std::string_view contents) override {
        return ReplaceInPieces(path, 0, [contents](const PieceSink& put) { return put(contents); });
    }
    bool ReplaceInPieces(const std::string& path, std::uint32_t attributesOfNew,
                         const std::function<bool(const PieceSink& put)>& write) override {
        if (crashAtReplace == replaceCount) throw SimulatedCrash{};
        if (!writable) return false;
        std::string contents;
        if (!write([&contents](std::string_view piece) {
                contents.append(piece);
                return true;
            }))
            return false;
        ++replaceCount;
        files[path] = contents;
        if (attributesOfNew != 0) attributes[path] = attributesOfNew;
        if (onReplace) onReplace(path, contents);
        return true;
    }
    void RemoveLeftovers(const std::string& path) override { leftoversRemoved.push_back(path); }
    bool SetAttributes(const std::string& path, std::uint32_t value) override {
        if (!files.count(path)) return false;
        attributes[path] = value;
        return true;
    }
};

class MemoryRegistry final : public Registry {
public:
    bool writable = true;
    std::map<std::string, std::string> values;  // "key path\\name" -> data
    std::function<void()> onChange;             // called at every call, before anything changes

    bool SetMachineString(std::string_view keyPath, std::string_view name,
                          std::string_view data) override {
        if (onChange) onChange();
        if (!writable) return false;
        values[std::string(keyPath) + "\\" + std::string(name)] = std::string(data);
        return true;
    }
    bool DeleteMachineValue(std::string_view keyPath, std::string_view name) override {
        if (onChange) onChange();
        if (!writable) return false;
        values.erase(std::string(keyPath) + "\\" + std::string(name));
        return true;
    }
};

class RecordingPower final : public Power {
public:
    struct Request {
        bool exitWindows;  // false: SetSystemPowerState
        std::uint32_t flags;
        bool suspend, force;
    };
    bool nt = true;
    bool privilegeHeld = true;
    bool accepts = true;  // what the system answers to a request
    int privilegeRequests = 0;
    std::vector<Request> requests;

    bool IsNtFamily() override { return nt; }
    bool EnableShutdownPrivilege() override {
        ++privilegeRequests;
        return privilegeHeld;
    }
    bool ExitSession(std::uint32_t flags) override {
        requests.push_back({true, flags, false, false});
        return accepts;
    }
    bool SetSystemPowerState(bool suspend, bool force) override {
        requests.push_back({false, 0, suspend, force});
        return accepts;
    }
};

class FakeTicks final : public Ticks {
public:
    std::uint32_t tick = 0;
    std::uint32_t TickCount() override { return tick; }
};

// One program with every platform service faked. Build the program with Start().
struct AppFixture {
    FakeClock clock;
    FakeUi ui{clock};
    MemoryFiles files;
    MemoryRegistry registry;
    RecordingPower power;
    FakeTicks ticks;
    App app{Services{ui, clock, files, registry, power, ticks}};

    AppFixture() {
        ui.Attach(app);
        clock.Set(2014, 5, 10, 13, 39, 24);
    }
    // The program's start; false when it ended during start-up.
    bool Start() {
        try {
            StartProgram(app);
            return true;
        } catch (const ProgramEnded&) {
            return false;
        }
    }
};

}  // namespace sut::test

// The program: its platform services, the texts computed at start-up, and the routing of window
// events to the handlers of each window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Power.h"
#include "platform/Registry.h"
#include "platform/Ticks.h"
#include "platform/Ui.h"
#include "settings/PasswordCodec.h"

namespace sut {

struct Services {
    Ui& ui;
    Clock& clock;
    Files& files;
    Registry& registry;
    Power& power;
    Ticks& ticks;
};

class App final : public EventSink, public Services {
public:
    explicit App(const Services& services) : Services(services) {}

    bool Handle(WindowId window, const Event& event) override;

    // Set by the first step of LoadScheduleSettings; both end as described there.
    std::string settingsDirectory;  // always ends with a backslash
    std::string executableName;
    // From the opening of the start prompt to the right start password. Until then the start may
    // not go on, and every close request, to the prompt or to the unseen MainWindow, ends the
    // program.
    bool awaitingStartPassword = false;
    ScrambleDraws scrambleDraws{ticks};
    // The seconds left in the one ReminderWindow while it counts down.
    std::int32_t countdown = 0;
    // The scheduler's bookkeeping (schedule/Scheduler.cpp): whether it keeps 时钟1 running, and
    // the wall-clock second of the last check that found the set time due.
    bool checksRunning = false;
    std::int64_t lastDueSecond = -1;
};

// Opens MainWindow; the backend's event loop takes over after this.
void StartProgram(App& app);

}  // namespace sut

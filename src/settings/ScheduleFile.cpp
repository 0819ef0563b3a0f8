#include "settings/ScheduleFile.h"

#include <array>
#include <string>
#include <vector>

#include "app/MainWindowLayout.h"
#include "app/PasswordWindows.h"
#include "app/Tray.h"
#include "settings/Autostart.h"
#include "settings/Ini.h"
#include "settings/Numbers.h"
#include "settings/PasswordStore.h"
#include "settings/Paths.h"

namespace sut {
namespace {

using namespace mainwnd;
constexpr WindowId kMain = WindowId::MainWindow;

enum class Kind : std::uint8_t {
    Flag,    // check box: "Y" ticks it
    Text,    // edit box: the text as it stands
    Time,    // edit box: saved as a checked integer, loaded as text
    Action,  // radio buttons 单选框1..3: "1", "2" or "3"
};

struct Setting {
    std::string_view section;
    std::string_view key;
    std::string_view fallback;  // the default when loading
    ControlId control;
    Kind kind;
};

// In the order of saving; the names index it.
enum Index : std::size_t {
    kMonday, kSunday = kMonday + 6, kStartWithWindows, kStartMinimised, kAction, kRemind,
    kRemindSeconds, kHour, kMinute, kSecond, kCount
};

constexpr std::array<Setting, kCount> kSettings = {{
    {"关机周期", "星期一", "N", 选择框1, Kind::Flag},
    {"关机周期", "星期二", "N", 选择框2, Kind::Flag},
    {"关机周期", "星期三", "N", 选择框3, Kind::Flag},
    {"关机周期", "星期四", "N", 选择框4, Kind::Flag},
    {"关机周期", "星期五", "N", 选择框5, Kind::Flag},
    {"关机周期", "星期六", "N", 选择框6, Kind::Flag},
    {"关机周期", "星期日", "N", 选择框7, Kind::Flag},
    {"开机启动", "开关", "N", 选择框9, Kind::Flag},
    {"启动最小化", "开关", "N", 选择框10, Kind::Flag},
    {"关机操作", "关机方式", "", 单选框1, Kind::Action},
    {"提醒时间", "是否提醒", "N", 选择框8, Kind::Flag},
    {"提醒时间", "秒", "30", 编辑框4, Kind::Text},
    {"关机时间", "小时", "00", 编辑框1, Kind::Time},
    {"关机时间", "分钟", "00", 编辑框2, Kind::Time},
    {"关机时间", "秒", "00", 编辑框3, Kind::Time},
}};

constexpr std::array<ControlId, 3> kActionButtons = {单选框1, 单选框2, 单选框3};
constexpr std::array<std::string_view, 3> kActionCodes = {"1", "2", "3"};

std::string FilePath(const App& app) { return app.settingsDirectory + std::string(kScheduleFileName); }

// Values read are compared exactly: only "Y" ticks, only "1", "2", "3" select. Returns the value.
std::string Load(App& app, Index index) {
    const Setting& s = kSettings[index];
    const std::string value = ReadIniValue(app.files, FilePath(app), s.section, s.key, s.fallback);
    switch (s.kind) {
    case Kind::Flag:
        if (value == "Y") app.ui.SetChecked(kMain, s.control, true);
        break;
    case Kind::Text:
    case Kind::Time: app.ui.SetText(kMain, s.control, value); break;
    case Kind::Action:
        for (std::size_t i = 0; i < kActionCodes.size(); ++i) {
            if (value != kActionCodes[i]) continue;
            for (std::size_t j = 0; j < kActionButtons.size(); ++j)
                app.ui.SetChecked(kMain, kActionButtons[j], i == j);
        }
        break;
    }
    return value;
}

// The values of one save, as the edits of one write of the file.
class Save {
public:
    explicit Save(App& app) : app_(app) {}

    void Add(Index index) {
        const Setting& s = kSettings[index];
        switch (s.kind) {
        case Kind::Flag: Put(index, app_.ui.Checked(kMain, s.control) ? "Y" : "N"); break;
        case Kind::Text: Put(index, Keep(index, app_.ui.Text(kMain, s.control))); break;
        case Kind::Action:
            for (std::size_t i = 0; i < kActionButtons.size(); ++i)
                if (app_.ui.Checked(kMain, kActionButtons[i])) Put(index, kActionCodes[i]);
            break;
        case Kind::Time: break;  // AddTime converts and checks all three first
        }
    }
    // The three time keys when the time is in range; false when it is not.
    bool AddTime() {
        std::array<std::int32_t, 3> values{};
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = TextToInteger(app_.ui.Text(kMain, kSettings[kHour + i].control));
        const bool inRange = values[0] >= 0 && values[0] <= 23 && values[1] >= 0 &&
                             values[1] <= 59 && values[2] >= 0 && values[2] <= 59;
        for (std::size_t i = 0; inRange && i < values.size(); ++i) {
            const auto index = static_cast<Index>(kHour + i);
            Put(index, Keep(index, IntegerToText(values[i])));
        }
        return inRange;
    }
    // One replace of the file, already hidden and system when it takes the name.
    void Write() { WriteIniValues(app_.files, FilePath(app_), edits_, kScheduleFileAttributes); }

private:
    std::string_view Keep(Index index, std::string text) { return texts_[index] = std::move(text); }
    void Put(Index index, std::string_view value) {
        edits_.push_back({kSettings[index].section, kSettings[index].key, value});
    }

    App& app_;
    std::array<std::string, kCount> texts_;  // the values that are not constants
    std::vector<IniEdit> edits_;
};

}  // namespace

void RemoveSaveLeftovers(App& app) {
    for (std::string_view name : {kScheduleFileName, kPasswordFileName})
        app.files.RemoveLeftovers(app.settingsDirectory + std::string(name));
}

void LoadScheduleSettings(App& app) {
    const ExecutablePathParts parts = SplitExecutablePath(app.files.ExecutablePath());
    app.settingsDirectory = parts.settingsDirectory;
    app.executableName = parts.executableName;
    RemoveSaveLeftovers(app);
    for (std::size_t i = kMonday; i <= kSunday; ++i) Load(app, static_cast<Index>(i));
    Load(app, kRemind);
    Load(app, kStartWithWindows);
    CheckStartupPasswords(app);  // may wait in the modal start prompt
    for (Index i : {kHour, kMinute, kSecond, kRemindSeconds, kAction}) Load(app, i);
    if (Load(app, kStartMinimised) == "Y") StartInTray(app);
}

// The keys in the order of the steps, as one write: the Run value follows the file that holds
// the start-minimised flag, and the message about the time follows everything that is written.
void SaveScheduleSettings(App& app) {
    Save save(app);
    for (std::size_t i = kMonday; i <= kSunday; ++i) save.Add(static_cast<Index>(i));
    for (Index i : {kStartWithWindows, kStartMinimised, kAction, kRemind, kRemindSeconds})
        save.Add(i);
    const bool timeInRange = save.AddTime();
    save.Write();
    if (app.ui.Checked(kMain, 选择框10)) RegisterAutostart(app);
    else UnregisterAutostart(app);
    if (!timeInRange) app.ui.ShowMessageBox("时间输入格式不正确，请重新输入", MessageKind::Plain);
    app.files.SetAttributes(FilePath(app), kScheduleFileAttributes);
}

}  // namespace sut

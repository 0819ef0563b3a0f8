// The main window's controls as plain values, and nothing else: all that the settings code
// reads and writes. Every other call does nothing; message boxes are only recorded. For programs
// that run the real save code without a window system (the fault trials, the save benchmark).
#pragma once

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/MainWindowLayout.h"
#include "platform/Ui.h"

namespace sut::test {

class PanelUi final : public Ui {
public:
    std::map<ControlId, bool> checked;
    std::map<ControlId, std::string> texts;
    std::vector<std::string> messages;

    // One of two schedules (phase 0 or 1) that differ in every control.
    void ShowSchedule(int phase) {
        using namespace mainwnd;
        const bool a = phase == 0;
        const ControlId days[] = {选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6, 选择框7};
        for (int i = 0; i < 7; ++i) checked[days[i]] = (i % 2 == 0) == a;
        checked[选择框9] = !a;   // 开机启动
        checked[选择框10] = a;   // 启动最小化
        checked[选择框8] = a;    // 提醒
        checked[单选框1] = false;
        checked[单选框2] = a;
        checked[单选框3] = !a;
        texts[编辑框1] = a ? "23" : "7";
        texts[编辑框2] = a ? "59" : "5";
        texts[编辑框3] = a ? "58" : "0";
        texts[编辑框4] = a ? "45" : "30";
    }

    void OpenWindow(WindowId, bool) override {}
    void CloseWindow(WindowId) override {}
    bool IsOpen(WindowId window) override { return window == WindowId::MainWindow; }
    std::string Text(WindowId, ControlId c) override { return texts[c]; }
    void SetText(WindowId, ControlId c, std::string_view t) override { texts[c] = std::string(t); }
    bool Checked(WindowId, ControlId c) override { return checked[c]; }
    void SetChecked(WindowId, ControlId c, bool on) override { checked[c] = on; }
    bool Visible(WindowId, ControlId) override { return true; }
    void SetVisible(WindowId, ControlId, bool) override {}
    bool WindowVisible(WindowId) override { return true; }
    void SetWindowVisible(WindowId, bool) override {}
    WindowState State(WindowId) override { return WindowState::Normal; }
    void SetState(WindowId, WindowState) override {}
    int OuterWidth(WindowId) override { return 0; }
    int OuterHeight(WindowId) override { return 0; }
    void SetOuterWidth(WindowId, int) override {}
    void SetOuterHeight(WindowId, int) override {}
    void SetTimerPeriod(WindowId, ControlId, int) override {}
    void SetTrayIcon(std::string_view) override {}
    void ShowPopupMenu(WindowId, ControlId) override {}
    void ShowMessageBox(std::string_view text, MessageKind, std::string_view) override {
        messages.emplace_back(text);
    }
    // Nothing that saves ends the program.
    [[noreturn]] void EndProgram() override { std::abort(); }
};

}  // namespace sut::test

// The main window's controls as plain values, and nothing else: all that the settings code
// reads and writes. Every other call does nothing; message boxes are only recorded. For programs
// that run the real save code without a window system (the fault trials, the save benchmark).
#pragma once

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace sut::test {

class PanelUi final : public Ui {
public:
    std::map<ControlId, bool> checked;
    std::map<ControlId, std::string> texts;
    std::vector<std::string> messages;

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

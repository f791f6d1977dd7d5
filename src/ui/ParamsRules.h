#pragma once

#include <functional>
#include <vector>

// Which controls of the preferences dialog follow a check box: each one is enabled exactly
// while its Switch is checked and, where it has one, its InnerSwitch too (the history size
// under "Enable history" and "History file size limit", the antiboss key under "Enable
// antiboss" and "Antiboss hotkey"). The check marks of disabled controls are kept.
struct TDependentControl {
    const char* Control;
    const char* Switch;
    const char* InnerSwitch = nullptr;
};

// Every dependent control of the dialog, page by page.
const std::vector<TDependentControl>& ParamsDependentControls();

// Whether the control is enabled, given which check boxes are checked.
bool DependentEnabled(const TDependentControl& rule,
                      const std::function<bool(const char* checkBox)>& isChecked);

// Whether the rule changes when the check box named `checkBox` does.
bool DependsOn(const TDependentControl& rule, const char* checkBox);

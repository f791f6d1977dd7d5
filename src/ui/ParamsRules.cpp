#include "ui/ParamsRules.h"

#include <cstring>

const std::vector<TDependentControl>& ParamsDependentControls()
{
    static const std::vector<TDependentControl> rules = {
        {"cNoButtonOnTaskbar", "cTrayIcon"},
        {"lblTimesToBlink", "cBlink"},
        {"seTimesToBlink", "cBlink"},
        {"lblThreshold", "cSnap"},
        {"seThreshold", "cSnap"},
        {"cPopupOnEnterLeave", "cPopups"},
        {"cPopupOnPrivate", "cPopups"},
        {"lblSecondsToShowPopup", "cPopups"},
        {"seTimeToShowPopup", "cPopups"},
        {"cAnimatedPopups", "cPopups"},
        {"cSoundIfInactive", "cEnableSounds"},
        {"lvSoundFiles", "cEnableSounds"},
        {"btSelectSoundFile", "cEnableSounds"},
        {"lblHistoryFileName", "cHistory"},
        {"edHistoryFile", "cHistory"},
        {"btHistoryFileSelect", "cHistory"},
        {"cHistoryLimit", "cHistory"},
        {"seFileSizeLimit", "cHistory", "cHistoryLimit"},
        {"lblHistoryFileSizeUnits", "cHistory", "cHistoryLimit"},
        {"lblAntibossAction", "cAntiboss"},
        {"cbAntibossAction", "cAntiboss"},
        {"cAntibossHotkey", "cAntiboss"},
        {"cbAntibossHotkey", "cAntiboss", "cAntibossHotkey"},
    };
    return rules;
}

bool DependentEnabled(const TDependentControl& rule,
                      const std::function<bool(const char* checkBox)>& isChecked)
{
    return isChecked(rule.Switch) && (!rule.InnerSwitch || isChecked(rule.InnerSwitch));
}

bool DependsOn(const TDependentControl& rule, const char* checkBox)
{
    return std::strcmp(rule.Switch, checkBox) == 0 ||
           (rule.InnerSwitch && std::strcmp(rule.InnerSwitch, checkBox) == 0);
}

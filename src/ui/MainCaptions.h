#pragma once

class QObject;
class TLangControl;

// Sets every caption and hint of the main window from the string table: menu items by
// their names (mi..., mip..., mitr...), the tool-button hints, the tabs and the Send button.
void ApplyMainCaptions(QObject& window, const TLangControl& lang);

#pragma once

#include "desktop/HotKeyCode.h"

#include <QLineEdit>

// A field that shows a key combination and takes the next one the user presses, as the
// shortcut word of setting hot_key. A key pressed without any modifier is not a combination
// the field accepts: it gets Shift, Ctrl and Alt added. Backspace or Delete alone clears
// the field (0, no hot key). Tab, Enter and Escape alone keep their meaning in the dialog.
class THotKeyEdit final : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr TShortCut DefaultModifiers = scShift | scCtrl | scAlt;

    explicit THotKeyEdit(QWidget* parent = nullptr);

    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortcut);

    // The word the field takes for a key press, or -1 when the press is no combination for
    // it (a modifier alone, a key without a virtual-key code, Meta).
    static int ShortCutOfPress(QKeyCombination key);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static bool KeepsItsMeaning(const QKeyEvent& event);

    TShortCut FShortCut = 0;
};

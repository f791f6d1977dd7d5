#include "ui/HotKeyEdit.h"

#include <QKeyEvent>

THotKeyEdit::THotKeyEdit(QWidget* parent) : QLineEdit(parent)
{
    // Typed characters never reach the text; only whole combinations do.
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void THotKeyEdit::SetShortCut(TShortCut shortcut)
{
    FShortCut = shortcut;
    setText(ShortCutToText(shortcut));
}

int THotKeyEdit::ShortCutOfPress(QKeyCombination key)
{
    switch (key.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_unknown:
        return -1;
    default:
        break;
    }
    TShortCut shortcut = ShortCutFromKey(key);
    if (shortcut == 0)
        return -1;
    if ((shortcut & DefaultModifiers) == 0)
        shortcut |= DefaultModifiers;
    return shortcut;
}

bool THotKeyEdit::KeepsItsMeaning(const QKeyEvent& event)
{
    if (event.modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (event.key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

bool THotKeyEdit::event(QEvent* event)
{
    // A combination meant for the field must not fire a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!KeepsItsMeaning(*key)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void THotKeyEdit::keyPressEvent(QKeyEvent* event)
{
    if (KeepsItsMeaning(*event)) {
        event->ignore();
        return;
    }
    event->accept();
    const bool alone = (event->modifiers() & ~Qt::KeypadModifier) == 0;
    if (alone && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        SetShortCut(0);
        return;
    }
    const int shortcut = ShortCutOfPress(event->keyCombination());
    if (shortcut >= 0)
        SetShortCut(static_cast<TShortCut>(shortcut));
}

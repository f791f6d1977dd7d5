#pragma once

#include <QFont>
#include <QList>

#include <cstdint>
#include <functional>
#include <optional>

class QObject;
class QPlainTextEdit;
class QTextEdit;
class QWidget;
class TConfig;

// The user's message font: the message editor's font and text colour, which both consoles
// share (face, size, styles; their colours come from each line), and the settings that keep
// them. The commands of the main window that change it run here:
//   miFontSizePlusClick / miFontSizeMinusClick   the size, within 7..20
//   btFontClick                                  the font dialog
//   ColorChosen                                  the colour of my messages
//   SaveFontSettings / ApplyFontSettings         the settings msg_color, font_*
//
// The editor's colour is its palette's text colour. The character set has no meaning for Qt
// fonts; font_charset is kept as it was read and written back.
class TMessageFont final
{
public:
    static constexpr int MinSize = 7;
    static constexpr int MaxSize = 20;

    // Chooses a font starting from the given one; nothing when the user cancels.
    using TFontChooser = std::function<std::optional<QFont>(const QFont& initial)>;

    TMessageFont(QPlainTextEdit& editor, QTextEdit& general, QTextEdit& privateView,
                 TConfig& config);

    // The increase commands (menu item, tool button) and the decrease commands; QActions or
    // widgets.
    QList<QObject*> IncreaseCommands;
    QList<QObject*> DecreaseCommands;
    // Run after the font changed (the editor's minimum height follows the font).
    std::function<void()> OnUpdateEditorMinHeight;
    // empty: QFontDialog, with sizes outside 7..20 brought into the range.
    TFontChooser FontChooser;

    QFont EditorFont() const;
    std::uint32_t EditorColor() const;
    void SetEditorColor(std::uint32_t color);

    void miFontSizePlusClick();
    void miFontSizeMinusClick();
    void btFontClick(QWidget* dialogParent = nullptr);
    // The font dialog's OK: the font goes to the editor and both consoles.
    void ApplyChosenFont(const QFont& font);

    // The colour menu's choice.
    void ColorChosen(std::uint32_t color);

    void SaveFontSettings();
    // The settings to the editor font and both consoles; a font_name of "0" (no font chosen
    // yet) first stores the editor's current font.
    void ApplyFontSettings();

private:
    void ChangeSize(int step);
    void ApplyToConsoles(const QFont& font);
    void UpdateSizeCommands(int size);

    QPlainTextEdit& FEditor;
    QTextEdit& FGeneral;
    QTextEdit& FPrivate;
    TConfig& FConfig;
    std::int32_t FCharset = 0;
};

// Enables or disables each command, a QAction or a QWidget.
void SetCommandsEnabled(const QList<QObject*>& commands, bool enabled);

#include "conversation/MessageFont.h"

#include "config/Config.h"
#include "conversation/ColorTable.h"
#include "conversation/RichEdit.h"

#include <QAction>
#include <QFontDialog>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace {
// The pitch setting's values.
constexpr int PitchDefault = 0;
constexpr int PitchVariable = 1;
constexpr int PitchFixed = 2;
} // namespace

void SetCommandsEnabled(const QList<QObject*>& commands, bool enabled)
{
    for (QObject* command : commands) {
        if (auto* action = qobject_cast<QAction*>(command))
            action->setEnabled(enabled);
        else if (auto* widget = qobject_cast<QWidget*>(command))
            widget->setEnabled(enabled);
    }
}

TMessageFont::TMessageFont(QPlainTextEdit& editor, QTextEdit& general, QTextEdit& privateView,
                           TConfig& config)
    : FEditor(editor), FGeneral(general), FPrivate(privateView), FConfig(config)
{
}

QFont TMessageFont::EditorFont() const
{
    return FEditor.font();
}

std::uint32_t TMessageFont::EditorColor() const
{
    return ColorValue(FEditor.palette().color(QPalette::Text));
}

void TMessageFont::SetEditorColor(std::uint32_t color)
{
    QPalette palette = FEditor.palette();
    palette.setColor(QPalette::Text, ColorFromValue(color));
    FEditor.setPalette(palette);
}

void TMessageFont::UpdateSizeCommands(int size)
{
    SetCommandsEnabled(IncreaseCommands, size < MaxSize);
    SetCommandsEnabled(DecreaseCommands, size > MinSize);
}

void TMessageFont::ApplyToConsoles(const QFont& font)
{
    SetRichEditFont(FGeneral, font);
    SetRichEditFont(FPrivate, font);
}

void TMessageFont::ChangeSize(int step)
{
    QFont font = EditorFont();
    const int size = std::clamp(font.pointSize() + step, MinSize, MaxSize);
    SetCommandsEnabled(step > 0 ? DecreaseCommands : IncreaseCommands, true);
    font.setPointSize(size);
    FEditor.setFont(font); // the editor is plain text: one font for all of it
    if (step > 0 && size >= MaxSize)
        SetCommandsEnabled(IncreaseCommands, false);
    if (step < 0 && size <= MinSize)
        SetCommandsEnabled(DecreaseCommands, false);
    SetRichEditFontSize(FGeneral, size);
    SetRichEditFontSize(FPrivate, size);
    SaveFontSettings();
    if (OnUpdateEditorMinHeight)
        OnUpdateEditorMinHeight();
    ScrollRichEditToEnd(FGeneral);
    ScrollRichEditToEnd(FPrivate);
}

void TMessageFont::miFontSizePlusClick()
{
    ChangeSize(+1);
}

void TMessageFont::miFontSizeMinusClick()
{
    ChangeSize(-1);
}

void TMessageFont::btFontClick(QWidget* dialogParent)
{
    std::optional<QFont> chosen;
    if (FontChooser) {
        chosen = FontChooser(EditorFont());
    } else {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, EditorFont(), dialogParent);
        if (ok)
            chosen = font;
    }
    if (chosen)
        ApplyChosenFont(*chosen);
}

void TMessageFont::ApplyChosenFont(const QFont& chosen)
{
    // The font dialog offers every size; the message font keeps to 7..20.
    QFont font = chosen;
    font.setPointSize(std::clamp(chosen.pointSize(), MinSize, MaxSize));
    FEditor.setFont(font); // the editor is plain text: one font for all of it
    ApplyToConsoles(font);
    SaveFontSettings();
    if (OnUpdateEditorMinHeight)
        OnUpdateEditorMinHeight();
    UpdateSizeCommands(font.pointSize());
}

void TMessageFont::ColorChosen(std::uint32_t color)
{
    SetEditorColor(color);
    SaveFontSettings();
}

void TMessageFont::SaveFontSettings()
{
    const QFont font = EditorFont();
    int pitch = PitchDefault;
    if (font.resolveMask() & QFont::FixedPitchResolved)
        pitch = font.fixedPitch() ? PitchFixed : PitchVariable;
    FConfig.SetInt(msg_color, std::int32_t(EditorColor()));
    FConfig.SetStr(font_name, font.family());
    FConfig.SetInt(font_pitch, pitch);
    FConfig.SetInt(font_size, font.pointSize());
    FConfig.SetInt(font_charset, FCharset);
    FConfig.SetBool(font_is_bold, font.bold());
    FConfig.SetBool(font_is_italic, font.italic());
    FConfig.SetBool(font_is_underline, font.underline());
}

void TMessageFont::ApplyFontSettings()
{
    if (FConfig.GetStr(font_name) == QLatin1String("0")) {
        FCharset = FConfig.GetInt(font_charset);
        SaveFontSettings();
    }
    QFont font = EditorFont();
    font.setFamilies({FConfig.GetStr(font_name)});
    switch (FConfig.GetInt(font_pitch)) {
    case PitchFixed:
        font.setFixedPitch(true);
        break;
    case PitchVariable:
        font.setFixedPitch(false);
        break;
    default:
        break;
    }
    // A size from outside the commands' range (an edited registry) is brought into it.
    font.setPointSize(std::clamp(int(FConfig.GetInt(font_size)), MinSize, MaxSize));
    FCharset = FConfig.GetInt(font_charset);
    font.setBold(FConfig.GetBool(font_is_bold));
    font.setItalic(FConfig.GetBool(font_is_italic));
    font.setUnderline(FConfig.GetBool(font_is_underline));
    SetEditorColor(std::uint32_t(FConfig.GetInt(msg_color)));
    FEditor.setFont(font); // the editor is plain text: one font for all of it
    ApplyToConsoles(font);
    UpdateSizeCommands(font.pointSize());
}

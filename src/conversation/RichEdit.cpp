#include "conversation/RichEdit.h"

#include "conversation/Console.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <vector>

namespace {

// The character formats carry no font of their own, so that every character shows in the
// view's font: the font properties are taken out of every fragment, colours and links stay.
// A link keeps its underline.
void ClearFontProperties(QTextDocument& document)
{
    static const int properties[] = {
        QTextFormat::FontFamilies,       QTextFormat::FontFamily,
        QTextFormat::FontPointSize,      QTextFormat::FontPixelSize,
        QTextFormat::FontSizeAdjustment, QTextFormat::FontWeight,
        QTextFormat::FontItalic,         QTextFormat::FontUnderline,
        QTextFormat::TextUnderlineStyle, QTextFormat::FontFixedPitch,
        QTextFormat::FontStyleHint,      QTextFormat::FontStrikeOut,
    };
    struct TRange {
        int Position;
        int Length;
        QTextCharFormat Format;
    };
    std::vector<TRange> ranges;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            bool changed = false;
            for (const int property : properties) {
                const bool underline = property == QTextFormat::FontUnderline ||
                                       property == QTextFormat::TextUnderlineStyle;
                if (underline && format.isAnchor())
                    continue;
                if (format.hasProperty(property)) {
                    format.clearProperty(property);
                    changed = true;
                }
            }
            if (changed)
                ranges.push_back({fragment.position(), fragment.length(), format});
        }
    }
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (const TRange& range : ranges) {
        cursor.setPosition(range.Position);
        cursor.setPosition(range.Position + range.Length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(range.Format);
    }
    cursor.endEditBlock();
}

} // namespace

void SetRichEditFont(QTextEdit& view, const QFont& font)
{
    ClearFontProperties(*view.document());
    view.setFont(font);
    // A font that equals the widget's inherited one does not reach the document by itself.
    view.document()->setDefaultFont(font);
}

void SetRichEditFontSize(QTextEdit& view, int pointSize)
{
    QFont font = view.font();
    font.setPointSize(pointSize);
    SetRichEditFont(view, font);
}

void ScrollRichEditToEnd(QTextEdit& view)
{
    QScrollBar& bar = *view.verticalScrollBar();
    bar.setValue(bar.minimum());
    TConsoleWriter::ScrollConsoleToEnd(view);
}

void mipClearWindowClick(QTextEdit* focusedTextArea)
{
    if (focusedTextArea)
        focusedTextArea->clear();
}

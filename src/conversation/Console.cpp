#include "conversation/Console.h"

#include "chat/ConsoleText.h"
#include "conversation/ColorTable.h"
#include "conversation/ConsoleLinks.h"
#include "conversation/Emoticons.h"
#include "conversation/PeerText.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "platform/CodePage.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace {

QTextCharFormat Colored(std::uint32_t color)
{
    QTextCharFormat format;
    format.setForeground(ColorFromValue(color));
    return format;
}

void FormatRange(QTextDocument& document, int position, int length, const QTextCharFormat& format)
{
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(format);
}

int EndPosition(const QTextDocument& document)
{
    return document.characterCount() - 1;
}

} // namespace

TConsoleWriter::TConsoleWriter(const TEmoticonStorage& emoticons, TClock clock)
    : FEmoticons(emoticons),
      FClock(clock ? std::move(clock) : TClock([] { return QTime::currentTime(); }))
{
}

void TConsoleWriter::SetConsoleParams(int maxLines, int linesToDrop, std::uint32_t timeColor,
                                      std::uint32_t eventColor, std::uint32_t noticeColor,
                                      std::uint32_t errorColor)
{
    FParams = {maxLines, linesToDrop, timeColor, eventColor, noticeColor, errorColor};
}

void TConsoleWriter::SetupConsole(QTextEdit& view)
{
    view.setReadOnly(true);
    view.setUndoRedoEnabled(false);
    view.setAcceptRichText(false);
    view.setLineWrapMode(QTextEdit::WidgetWidth);
    view.setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // The owner opens its own menu on the button's release.
    view.setContextMenuPolicy(Qt::PreventContextMenu);
    view.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                 Qt::LinksAccessibleByMouse);
    // Lines run left to right, whatever script a peer writes in (runs of another direction
    // inside a line are still shown in theirs). Left to find out, the layout would read the
    // text of every line it passes on its way to the newest one, at every write.
    QTextOption option = view.document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    view.document()->setDefaultTextOption(option);
}

int TConsoleWriter::ConsoleLineCount(const QTextEdit& view)
{
    const QTextDocument& document = *view.document();
    return document.characterCount() <= 1 && document.blockCount() == 1 ? 0 : document.blockCount();
}

void TConsoleWriter::TrimConsole(QTextEdit& view)
{
    if (ConsoleLineCount(view) <= FParams.MaxLines)
        return;
    QTextDocument& document = *view.document();
    // An edit of its own: merged with the append at the other end, the change would span
    // the whole document and the layout would redo every line.
    QTextCursor edit(&document);
    edit.beginEditBlock();
    const QTextBlock firstKept = document.findBlockByNumber(std::max(FParams.LinesToDrop, 0));
    edit.setPosition(0);
    if (firstKept.isValid())
        edit.setPosition(firstKept.position(), QTextCursor::KeepAnchor);
    else
        edit.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    const int removed = edit.selectionEnd();
    edit.removeSelectedText();
    edit.endEditBlock();
    // The selection stays on its text; what was dropped leaves it at the top.
    FSaved.Anchor = std::max(FSaved.Anchor - removed, 0);
    FSaved.Position = std::max(FSaved.Position - removed, 0);
}

int TConsoleWriter::AppendConsoleText(QTextEdit& view, const QString& text, bool sameLine,
                                      const QTextCharFormat& format)
{
    TrimConsole(view);
    QTextDocument& document = *view.document();
    QTextCursor edit(&document);
    edit.beginEditBlock();
    edit.movePosition(QTextCursor::End);
    const bool empty = ConsoleLineCount(view) == 0;
    const bool endsWithLineBreak = document.blockCount() > 1 && document.lastBlock().length() == 1;
    // A fresh format: the last character's (a link, a picture) must not run on.
    if (!sameLine && !empty && !endsWithLineBreak)
        edit.insertBlock(QTextBlockFormat(), format);
    const int start = edit.position();
    edit.insertText(text, format);
    edit.endEditBlock();
    return start;
}

void TConsoleWriter::AddChatMessage(QTextEdit& view, bool autoScroll, const TChatMessage& message)
{
    SaveConsoleSelection(view);
    QTextDocument& document = *view.document();
    const TConsoleLine line = ComposeChatLine(message, ConsoleTimeStamp(FClock()));
    const QTextCharFormat color = Colored(message.Color);
    TrimConsole(view);
    QTextCursor edit(&document);
    edit.beginEditBlock();
    int start = 0;
    if (message.IsContinuation) {
        start = AppendConsoleText(view, ConsoleVisibleText(line.Text, true), true, color);
    } else {
        const QString nickPart = ConsoleVisibleText(line.NickPart, false);
        const QString text = line.TimePart + nickPart +
                             ConsoleVisibleText(line.AddresseePart, false) +
                             ConsoleVisibleText(line.Text, true);
        start = AppendConsoleText(view, text, false, color);
        const int timeLength = int(line.TimePart.size());
        if (timeLength > 0)
            FormatRange(document, start, timeLength, Colored(FParams.TimeColor));
        if (!nickPart.isEmpty()) {
            // Inside "<" and "> ": the link's text is the nickname as it came.
            QTextCharFormat link;
            MakeLink(link, TConsoleLink::Nick, FromAnsi(message.Nick));
            FormatRange(document, start + timeLength + 1, int(nickPart.size()) - 3, link);
        }
    }
    // A continuation may complete an address or a code begun on the line it extends.
    const int lineStart = document.findBlock(start).position();
    DetectLinks(document, lineStart);
    FEmoticons.ReplaceEmoticons(document, lineStart);
    edit.endEditBlock();
    FinishWrite(view, autoScroll);
}

void TConsoleWriter::AddColoredLine(QTextEdit& view, bool autoScroll, const QString& timePart,
                                    const QString& text, std::uint32_t color)
{
    SaveConsoleSelection(view);
    TrimConsole(view);
    QTextCursor edit(view.document());
    edit.beginEditBlock();
    const int start = AppendConsoleText(view, timePart + text, false, Colored(color));
    if (!timePart.isEmpty())
        FormatRange(*view.document(), start, int(timePart.size()), Colored(FParams.TimeColor));
    edit.endEditBlock();
    FinishWrite(view, autoScroll);
}

void TConsoleWriter::AddEventMessage(QTextEdit& view, bool showTime, bool autoScroll,
                                     const QString& text)
{
    // Event texts carry nicknames: a line break in one is shown, not obeyed.
    AddColoredLine(view, autoScroll, showTime ? ConsoleTimeStamp(FClock()) : QString(),
                   ConsoleVisibleText(text, false), FParams.EventColor);
}

void TConsoleWriter::AddNoticeMessage(QTextEdit& view, bool autoScroll, const QString& text)
{
    AddColoredLine(view, autoScroll, {}, ConsoleVisibleText(text, true), FParams.NoticeColor);
}

void TConsoleWriter::AddErrorMessage(QTextEdit& view, bool autoScroll, const QString& text,
                                     int errorCode)
{
    const QString line = ComposeErrorLine(AppLang().GetString(sidNetworkError), text, errorCode);
    AddColoredLine(view, autoScroll, {}, ConsoleVisibleText(line, true), FParams.ErrorColor);
}

void TConsoleWriter::SaveConsoleSelection(const QTextEdit& view)
{
    const QTextCursor cursor = view.textCursor();
    FSaved = {cursor.anchor(), cursor.position(), cursor.hasSelection()};
}

void TConsoleWriter::RestoreConsoleSelection(QTextEdit& view)
{
    // Without a selection the caret goes wherever the document took it.
    if (!FSaved.HasSelection)
        return;
    const int end = EndPosition(*view.document());
    const int anchor = std::min(FSaved.Anchor, end);
    const int position = std::min(FSaved.Position, end);
    QTextCursor cursor = view.textCursor();
    if (cursor.anchor() == anchor && cursor.position() == position)
        return;
    // Setting the cursor scrolls it into view; whether the view moves is the caller's rule.
    QScrollBar& vertical = *view.verticalScrollBar();
    QScrollBar& horizontal = *view.horizontalScrollBar();
    const int top = vertical.value();
    const int left = horizontal.value();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    view.setTextCursor(cursor);
    vertical.setValue(top);
    horizontal.setValue(left);
}

void TConsoleWriter::FinishWrite(QTextEdit& view, bool autoScroll)
{
    RestoreConsoleSelection(view);
    if (autoScroll && (!FSaved.HasSelection || !view.hasFocus()))
        ScrollConsoleToEnd(view);
}

void TConsoleWriter::ScrollConsoleToEnd(QTextEdit& view)
{
    // The layout runs lazily; asking for the last block's place brings the scroll range up to
    // date first.
    QTextDocument& document = *view.document();
    document.documentLayout()->blockBoundingRect(document.lastBlock());
    QScrollBar& bar = *view.verticalScrollBar();
    bar.setValue(bar.maximum());
}

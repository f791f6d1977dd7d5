#pragma once

#include "chat/ChatHost.h"

#include <QString>
#include <QTime>

#include <cstdint>
#include <functional>

class QTextCharFormat;
class QTextEdit;
class TEmoticonStorage;

// The console parameters, set once before the first line is written.
struct TConsoleParams {
    int MaxLines = 1024;
    int LinesToDrop = 50;
    std::uint32_t TimeColor = 0x808080;   // gray
    std::uint32_t EventColor = 0x008000;  // green
    std::uint32_t NoticeColor = 0xFF00FF; // fuchsia
    std::uint32_t ErrorColor = 0x0000FF;  // red
};

// A console is a read-only QTextEdit; this class writes every line it shows.
//
// Text from peers goes in as plain text through QTextCursor::insertText, never as HTML, and
// with its control characters shown as pictures, so a peer cannot format, link or lay out
// anything. The nickname of a chat line is a link whose href is the nickname as received;
// web addresses in the new text become links too; emoticon codes become pictures.
//
// A write costs the same in a full console as in an empty one: only the new line (for a
// continuation, the line it extends) is scanned for addresses and codes, and the oldest
// lines are dropped 50 at a time once the console holds more than MaxLines.
//
// The user's selection survives a write, moved with its text when old lines are dropped. A
// console follows new lines (scrolls to the end) when autoScroll is given and it has either
// no selection or no keyboard focus.
//
// Main thread only.
class TConsoleWriter final
{
public:
    using TClock = std::function<QTime()>;

    // clock: the local time of the time stamps; empty means the system's.
    explicit TConsoleWriter(const TEmoticonStorage& emoticons, TClock clock = {});
    Q_DISABLE_COPY_MOVE(TConsoleWriter)

    void SetConsoleParams(int maxLines, int linesToDrop, std::uint32_t timeColor,
                          std::uint32_t eventColor, std::uint32_t noticeColor,
                          std::uint32_t errorColor);
    const TConsoleParams& Params() const { return FParams; }

    // The console settings a view needs: read only, word wrap, no undo, no context menu of
    // its own, selectable by mouse and keyboard.
    static void SetupConsole(QTextEdit& view);

    // One chat line: time stamp (gray), "<nick> " with the nickname as a link, the addressee
    // part, the text, all but the time stamp in the message's colour; a continuation is its
    // text alone, appended to the last line.
    void AddChatMessage(QTextEdit& view, bool autoScroll, const TChatMessage& message);
    void AddEventMessage(QTextEdit& view, bool showTime, bool autoScroll, const QString& text);
    void AddNoticeMessage(QTextEdit& view, bool autoScroll, const QString& text);
    // "Network error!" + " " + text + " #" + the code, in the error colour.
    void AddErrorMessage(QTextEdit& view, bool autoScroll, const QString& text, int errorCode);

    // Drops the LinesToDrop oldest lines when the view holds more than MaxLines.
    void TrimConsole(QTextEdit& view);
    // Trims the view, then appends text with
    // the given format: on the last line with sameLine, else as a new line. Returns the
    // position of the text's first character.
    int AppendConsoleText(QTextEdit& view, const QString& text, bool sameLine,
                          const QTextCharFormat& format);

    // The shared slot of the selection of the view being written.
    void SaveConsoleSelection(const QTextEdit& view);
    void RestoreConsoleSelection(QTextEdit& view);

    static void ScrollConsoleToEnd(QTextEdit& view);
    // The view's line count: its paragraphs, 0 when it is empty.
    static int ConsoleLineCount(const QTextEdit& view);

private:
    void FinishWrite(QTextEdit& view, bool autoScroll);
    void AddColoredLine(QTextEdit& view, bool autoScroll, const QString& timePart,
                        const QString& text, std::uint32_t color);

    struct TSavedSelection {
        int Anchor = 0;
        int Position = 0;
        bool HasSelection = false;
    };

    const TEmoticonStorage& FEmoticons;
    TClock FClock;
    TConsoleParams FParams;
    TSavedSelection FSaved;
};

// Time of one chat line written into a console: a 100-character line with two emoticon
// codes, into an empty console and into one holding 1024 lines (kept full: the oldest lines
// are dropped as they are in use). The last line prints
//   empty=X ms full=Y ms ratio=Y/X
// where X and Y are the mean times of one AddChatMessage, scrolling to the end included,
// over a batch of writes that includes its share of dropped lines; of several batches the
// quickest counts, so that other work on the machine does not.
// Lines before it show the same write followed by a full rescan of the view for emoticon
// codes (the view kept without the scan of the newest line only), and a write into a console
// that holds one line: a write costs the same there as in a full console, less the scroll;
// only the first line of an empty one is cheaper (no line before it to lay out again).
#include "conversation/Console.h"
#include "conversation/Emoticons.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int FullLines = 1024;
constexpr int Batches = 10;
constexpr int BatchWrites = 200;

TChatMessage Line(int i)
{
    TChatMessage m;
    m.Nick = "Somebody";
    m.Color = 0x804020;
    m.Text = "Message " + QByteArray::number(i).rightJustified(5, '0') +
             " of a conversation :-) with a second code ;) and some words to fill it";
    m.Text = m.Text.leftJustified(100, '.', true);
    return m;
}

enum class TConsoleState { Empty, OneLine, Full };

// The quickest batch's mean milliseconds per write: each write into an emptied console, into
// one holding a single line, or into a full one.
double WriteMs(TConsoleWriter& writer, TConsoleState state, int batches,
               const TEmoticonStorage* rescan = nullptr)
{
    QTextEdit view;
    TConsoleWriter::SetupConsole(view);
    view.resize(700, 400);
    view.show();
    int n = 0;
    const bool full = state == TConsoleState::Full;
    if (full)
        for (; n < FullLines; ++n)
            writer.AddChatMessage(view, false, Line(n));
    double best = 1e9;
    QElapsedTimer clock;
    for (int batch = 0; batch < batches; ++batch) {
        // Painting, as the event loop would between messages; not timed.
        QApplication::processEvents();
        qint64 total = 0;
        for (int i = 0; i < BatchWrites; ++i) {
            if (!full)
                view.clear();
            if (state == TConsoleState::OneLine)
                writer.AddChatMessage(view, true, Line(n++));
            clock.start();
            writer.AddChatMessage(view, true, Line(n++));
            if (rescan)
                rescan->ReplaceEmoticons(view);
            total += clock.nsecsElapsed();
        }
        best = std::min(best, double(total) / BatchWrites / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TConsoleWriter writer(AppEmoticons());
    // Warm-up: fonts, glyph caches, the pictures.
    WriteMs(writer, TConsoleState::Empty, 1);

    TEmoticonStorage noPictures;
    noPictures.SetImageList({});
    TConsoleWriter plain(noPictures);
    std::printf("with a full rescan instead: full=%.3f ms\n",
                WriteMs(plain, TConsoleState::Full, 1, &AppEmoticons()));

    std::printf("into a console of one line: %.3f ms\n",
                WriteMs(writer, TConsoleState::OneLine, Batches));
    const double empty = WriteMs(writer, TConsoleState::Empty, Batches);
    const double full = WriteMs(writer, TConsoleState::Full, Batches);
    std::printf("empty=%.3f ms full=%.3f ms ratio=%.2f\n", empty, full, full / empty);
    return 0;
}

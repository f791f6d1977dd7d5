#include "conversation/PeerText.h"

namespace {
constexpr char16_t ControlPictures = 0x2400;
constexpr char16_t DeletePicture = 0x2421;
constexpr char16_t NewlinePicture = 0x2424;

bool IsLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}
} // namespace

QString ConsoleVisibleText(QStringView text, bool keepLineBreaks)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (IsLineBreak(c) && keepLineBreaks) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            shown += u'\n';
        } else if (c < 0x20) {
            shown += QChar(char16_t(ControlPictures + c));
        } else if (c == 0x7F) {
            shown += QChar(DeletePicture);
        } else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            shown += QChar(NewlinePicture);
        } else if ((c >= 0x80 && c < 0xA0) || c == QChar::ObjectReplacementCharacter) {
            shown += QChar(QChar::ReplacementCharacter);
        } else {
            shown += QChar(c);
        }
    }
    return shown;
}

#include "chat/EditorText.h"

#include <QStringView>

#include <algorithm>

QString TrimBlanksAndControls(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= u' ')
        ++first;
    while (last > first && text[last - 1].unicode() <= u' ')
        --last;
    return text.sliced(first, last - first).toString();
}

namespace {

void ClampSelection(TEditorText& edit)
{
    const int length = static_cast<int>(edit.Text.size());
    edit.SelStart = std::clamp(edit.SelStart, 0, length);
    edit.SelLength = std::clamp(edit.SelLength, 0, length - edit.SelStart);
}

} // namespace

void SplitAddressee(const QString& text, int& pos, QString& addressee)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        pos = 1;
        addressee.clear();
        return;
    }
    addressee = TrimBlanksAndControls(QStringView(text).first(colon));
    // 1-based index of the character after the colon.
    pos = static_cast<int>(colon) + 2;
    if (colon + 1 < text.size() && text[colon + 1] == u' ')
        ++pos;
}

QString GetAddressee(const QString& text)
{
    int pos = 1;
    QString addressee;
    SplitAddressee(text, pos, addressee);
    return addressee;
}

QString GetMessageBody(const QString& text)
{
    int pos = 1;
    QString addressee;
    SplitAddressee(text, pos, addressee);
    return TrimBlanksAndControls(QStringView(text).sliced(pos - 1));
}

void ReplaceSelectedText(TEditorText& edit, const QString& text)
{
    ClampSelection(edit);
    if (edit.SelLength == 0)
        return;
    edit.Text.replace(edit.SelStart, edit.SelLength, text);
    edit.SelStart += static_cast<int>(text.size());
    edit.SelLength = 0;
}

void InsertTextAtCaret(TEditorText& edit, const QString& text)
{
    ClampSelection(edit);
    edit.Text.insert(edit.SelStart, text);
    edit.SelStart += static_cast<int>(text.size());
    edit.SelLength = 0;
}

void InsertQuotedText(TEditorText& edit, const QString& text)
{
    const QString quoted = u'"' + text + u'"';
    ClampSelection(edit);
    if (edit.SelLength > 0)
        ReplaceSelectedText(edit, quoted);
    else
        InsertTextAtCaret(edit, quoted);
}

void InsertAddressee(TEditorText& edit, const QString& nick,
                     const std::function<bool(const QString&)>& isContact)
{
    ClampSelection(edit);
    const int oldStart = edit.SelStart;
    int selLength = edit.SelLength;
    const int oldLength = static_cast<int>(edit.Text.size());
    const QString prefix = nick + QStringLiteral(": ");
    const int prefixLength = static_cast<int>(prefix.size());

    int pos = 1;
    QString addressee;
    SplitAddressee(edit.Text, pos, addressee);
    const bool replace = !addressee.isEmpty() && addressee != QLatin1String("http") &&
                         addressee != QLatin1String("ftp") && isContact && isContact(addressee);
    if (replace) {
        edit.Text = prefix + edit.Text.mid(pos - 1);
        // A caret inside the old addressee has no place in the new one: it goes after it.
        edit.SelStart = oldStart + (static_cast<int>(edit.Text.size()) - oldLength);
        if (edit.SelStart <= prefixLength) {
            edit.SelStart = prefixLength;
            selLength = 0;
        }
    } else {
        edit.Text.prepend(prefix);
        edit.SelStart = oldStart + prefixLength;
    }
    edit.SelLength = selLength;
}

#include "lang/LangFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringView>

namespace {

constexpr char16_t CR = 13;
constexpr char16_t LF = 10;
constexpr char16_t Quote = 34;

bool IsSeparator(QChar c)
{
    return c == u' ' || c == u'=';
}

} // namespace

TLanguageFile::TLanguageFile(int keyWidth)
{
    SetKeyWidth(keyWidth);
}

TLanguageFile::TLanguageFile(const QString& fileName, int keyWidth) : TLanguageFile(keyWidth)
{
    LoadFile(fileName);
}

TLanguageFile TLanguageFile::FromBytes(QByteArrayView bytes, int keyWidth)
{
    TLanguageFile file(keyWidth);
    file.FLoadResult = file.Parse(bytes);
    return file;
}

void TLanguageFile::SetKeyWidth(int n)
{
    FKeyWidth = qBound(MinKeyWidth, n, MaxKeyWidth);
}

void TLanguageFile::LoadFile(const QString& fileName)
{
    // Only regular files: a FIFO or device named *.lng would block or never end.
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
        FLoadResult = TLoadResult::lrMissing;
        return;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        FLoadResult = TLoadResult::lrUnreadable;
        return;
    }
    if (file.size() > MaxFileSize) {
        FLoadResult = TLoadResult::lrTooLarge;
        return;
    }
    // One byte more than allowed, so that a file growing while we read is still refused.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError) {
        FLoadResult = TLoadResult::lrUnreadable;
        return;
    }
    FLoadResult = Parse(bytes);
    if (FLoadResult == TLoadResult::lrLoaded)
        FFileName = fileName;
}

TLanguageFile::TLoadResult TLanguageFile::Parse(QByteArrayView bytes)
{
    if (bytes.size() > MaxFileSize)
        return TLoadResult::lrTooLarge;
    if (bytes.size() < 2 || static_cast<quint8>(bytes[0]) != 0xFF ||
        static_cast<quint8>(bytes[1]) != 0xFE)
        return TLoadResult::lrNoMark;
    FEntryStarts.clear();
    const qsizetype units = (bytes.size() - 2) / 2; // an odd trailing byte is no unit
    FText.resize(units);
    QChar* out = FText.data();
    for (qsizetype i = 0; i < units; ++i) {
        const auto lo = static_cast<quint8>(bytes[2 + 2 * i]);
        const auto hi = static_cast<quint8>(bytes[3 + 2 * i]);
        out[i] = QChar(static_cast<char16_t>(lo | (hi << 8)));
    }
    ScanEntries();
    return TLoadResult::lrLoaded;
}

bool TLanguageFile::IsLineBreakAt(qsizetype i) const
{
    return i + 1 < FText.size() && FText[i] == CR && FText[i + 1] == LF;
}

int TLanguageFile::CountLineBreaks() const
{
    int count = 0;
    for (qsizetype i = 0; i + 1 < FText.size(); ++i)
        if (IsLineBreakAt(i))
            ++count;
    return count;
}

// Records where each entry line's first non-space unit is. The scan covers the whole text, so
// a last line without CR LF is found however short it is. A CR before a line's first
// non-space unit is skipped like a space: files written with CR CR LF line breaks then read
// as if they had CR LF, and no line after such a break is lost.
void TLanguageFile::ScanEntries()
{
    FEntryStarts.reserve(static_cast<std::size_t>(CountLineBreaks()) + 1);
    bool lineDone = false; // the line's entry start is recorded, or it is a comment
    const qsizetype n = FText.size();
    for (qsizetype i = 0; i < n;) {
        if (IsLineBreakAt(i)) {
            lineDone = false;
            i += 2;
            continue;
        }
        const QChar c = FText[i];
        if (!lineDone && c != u' ' && c != CR) {
            if (c != u';')
                FEntryStarts.push_back(static_cast<qint32>(i));
            lineDone = true;
        }
        ++i;
    }
    FEntryStarts.shrink_to_fit();
}

QString TLanguageFile::FormatKey(int id) const
{
    return QString::number(id).rightJustified(FKeyWidth, u'0');
}

QString TLanguageFile::GetString(int id) const
{
    if (id < 0)
        return {};
    const QString key = FormatKey(id);
    if (key.size() != FKeyWidth)
        return {};
    const qsizetype n = FText.size();
    const QStringView text(FText);
    for (const qint32 start : FEntryStarts) {
        if (start + FKeyWidth > n || text.mid(start, FKeyWidth) != key)
            continue;
        qsizetype p = start + FKeyWidth;
        while (p < n && IsSeparator(text[p]))
            ++p;
        if (p >= n)
            return {};
        return text[p] == Quote ? QuotedValue(p + 1) : UnquotedValue(p);
    }
    return {};
}

QString TLanguageFile::QuotedValue(qsizetype p) const
{
    QString value;
    const qsizetype n = FText.size();
    while (p < n && FText[p] != CR) {
        if (FText[p] == Quote) {
            if (p + 1 >= n || FText[p + 1] != Quote)
                break;
            ++p; // a doubled quote stands for one
        }
        value.append(FText[p]);
        ++p;
    }
    return value;
}

QString TLanguageFile::UnquotedValue(qsizetype p) const
{
    const qsizetype n = FText.size();
    qsizetype end = p;
    while (end < n && FText[end] != CR)
        ++end;
    while (p < end && FText[p].unicode() <= 32)
        ++p;
    while (end > p && FText[end - 1].unicode() <= 32)
        --end;
    return FText.mid(p, end - p);
}

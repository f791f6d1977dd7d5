#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

// One language file, read completely at construction and then asked for texts by identifier.
//
// The file is UTF-16LE and must start with FF FE. Lines end with CR LF; a lone CR ends the
// value being read but not the line. An entry line is: optional spaces, a key of KeyWidth
// decimal digits, any run of spaces and "=", then a value, either quoted ("" stands for ")
// or unquoted and trimmed. Lines starting with ";" are comments. The first entry of a key wins.
//
// The object never fails: a missing, unmarked, unreadable or oversized file simply has no
// entries. Lookups never read outside the text.
class TLanguageFile final
{
public:
    enum class TLoadResult {
        lrLoaded,     // the file had the mark; its entries are in memory
        lrMissing,    // no regular file of that name
        lrUnreadable, // exists but could not be opened or read
        lrNoMark,     // does not start with FF FE: no entries
        lrTooLarge,   // larger than MaxFileSize: no entries
    };

    // A language file is a few kilobytes; anything this large is not one, and reading it
    // would only cost memory.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;
    static constexpr int MinKeyWidth = 2;
    static constexpr int MaxKeyWidth = 10;

    TLanguageFile(const QString& fileName, int keyWidth);

    // The same reader over bytes already in memory (the whole file, mark included). FileName
    // stays empty.
    static TLanguageFile FromBytes(QByteArrayView bytes, int keyWidth);

    // The value of the first entry whose key is FormatKey(id); empty when there is none or
    // its value is empty. Negative identifiers have no key and give empty.
    QString GetString(int id) const;

    // The path the file was read from; empty when it was missing or had no mark.
    QString FileName() const { return FFileName; }
    int KeyWidth() const { return FKeyWidth; }
    int EntryCount() const { return static_cast<int>(FEntryStarts.size()); }
    TLoadResult LoadResult() const { return FLoadResult; }

    // id in decimal, left-padded with "0" to KeyWidth; a longer number is not cut.
    QString FormatKey(int id) const;

private:
    explicit TLanguageFile(int keyWidth);

    void SetKeyWidth(int n);
    void LoadFile(const QString& fileName);
    // Takes the bytes as the whole file; lrLoaded when they carry the mark.
    TLoadResult Parse(QByteArrayView bytes);
    void ScanEntries();
    int CountLineBreaks() const;
    bool IsLineBreakAt(qsizetype i) const;
    QString QuotedValue(qsizetype p) const;
    QString UnquotedValue(qsizetype p) const;

    QString FText;
    std::vector<qint32> FEntryStarts;
    QString FFileName;
    int FKeyWidth = 4;
    TLoadResult FLoadResult = TLoadResult::lrMissing;
};

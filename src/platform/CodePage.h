#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <unordered_map>

// The 8-bit code page of the wire and the history file. Peers of one network must agree on
// it, so it is the Windows ANSI code page a user of the same locale would have; the
// environment variable ZELKIT_CODEPAGE (for example "cp1251") overrides the choice.
//
// Only single-byte code pages are supported: every byte is one character, so cutting a text
// at a byte count never splits a character.
class TCodePage final
{
public:
    // name: "cp1251", "1251", "windows-1251", "CP1251". An unknown or multi-byte code page
    // leaves the object invalid and it then converts as cp1252.
    explicit TCodePage(QByteArrayView name);

    bool IsValid() const { return FValid; }
    // Canonical name, "cp1251".
    QByteArray Name() const { return FName; }

    // Characters the code page cannot show become "?", as the Windows conversion does;
    // a surrogate pair counts as one character.
    QByteArray Encode(QStringView text) const;
    // Every byte maps to exactly one UTF-16 unit; bytes the code page leaves undefined keep
    // their own value as code point, so nothing read from the network is lost.
    QString Decode(QByteArrayView bytes) const;
    // Upper case byte by byte within the page, as an 8-bit upper-casing does: a letter whose
    // capital the page cannot hold, or whose capital is two letters ("ß"), stays as it is, so
    // the result always has the length of the input.
    QByteArray UpperCase(QByteArrayView bytes) const;

    // The code page of this process: ZELKIT_CODEPAGE if set and valid, else the one of the
    // user's locale. Chosen once, at the first call.
    static const TCodePage& Ansi();
    // Why ZELKIT_CODEPAGE was not followed ("utf-8" is no single-byte page), or empty.
    static QString AnsiProblem();
    // The Windows ANSI code page Windows would pick for a locale name such as "ru_RU".
    static QByteArray ForLocale(QStringView localeName);

private:
    bool Load(const QByteArray& canonical);

    bool FValid = false;
    QByteArray FName;
    std::array<char16_t, 256> FToWide{};
    std::unordered_map<char16_t, char> FFromWide;
    std::array<char, 256> FUpper{};
};

// Shorthands for the process's code page.
QByteArray ToAnsi(QStringView text);
QString FromAnsi(QByteArrayView bytes);

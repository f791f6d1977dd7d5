#include "platform/CodePage.h"

#include <QLocale>

#include <cerrno>
#include <cstdlib>
#include <iconv.h>

namespace {

QByteArray Canonical(QByteArrayView name)
{
    QByteArray n = name.toByteArray().trimmed().toLower();
    if (n.startsWith("windows-"))
        n = n.mid(8);
    else if (n.startsWith("cp"))
        n = n.mid(2);
    bool digits = !n.isEmpty();
    for (char c : n)
        digits = digits && c >= '0' && c <= '9';
    return digits ? "cp" + n : QByteArray();
}

// The single-byte Windows ANSI code pages; multi-byte ones (932, 936, 949, 950) are not
// offered because the wire cuts texts by bytes.
bool IsSingleByteAnsi(const QByteArray& canonical)
{
    static const char* const pages[] = {"cp874",  "cp1250", "cp1251", "cp1252", "cp1253",
                                        "cp1254", "cp1255", "cp1256", "cp1257", "cp1258"};
    for (const char* p : pages)
        if (canonical == p)
            return true;
    return false;
}

} // namespace

TCodePage::TCodePage(QByteArrayView name)
{
    const QByteArray canonical = Canonical(name);
    FValid = IsSingleByteAnsi(canonical) && Load(canonical);
    if (!FValid)
        Load("cp1252");
    FName = FValid ? canonical : QByteArray("cp1252");
}

bool TCodePage::Load(const QByteArray& canonical)
{
    const QByteArray iconvName = "CP" + canonical.mid(2);
    iconv_t cd = iconv_open("UTF-16LE", iconvName.constData());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    FFromWide.clear();
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8] = {};
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        // The Hebrew and Vietnamese converters hold a base letter back in case a combining
        // mark follows; the flush hands it out.
        if (r != static_cast<size_t>(-1))
            r = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        char16_t wide = static_cast<char16_t>(b);
        if (r != static_cast<size_t>(-1) && outLeft == sizeof out - 2)
            wide = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                         (static_cast<unsigned char>(out[1]) << 8));
        FToWide[b] = wide;
        FFromWide.emplace(wide, static_cast<char>(b)); // the first byte for a character wins
    }
    iconv_close(cd);
    for (int b = 0; b < 256; ++b) {
        // QChar's mapping is the simple one: one character to one character.
        const auto it = FFromWide.find(static_cast<char16_t>(QChar::toUpper(FToWide[b])));
        FUpper[b] = it == FFromWide.end() ? static_cast<char>(b) : it->second;
    }
    return true;
}

QByteArray TCodePage::Encode(QStringView text) const
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            out.append('?');
            continue;
        }
        const auto it = FFromWide.find(u);
        out.append(it == FFromWide.end() ? '?' : it->second);
    }
    return out;
}

QString TCodePage::Decode(QByteArrayView bytes) const
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(FToWide[static_cast<unsigned char>(bytes[i])]);
    return out;
}

QByteArray TCodePage::UpperCase(QByteArrayView bytes) const
{
    QByteArray out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = FUpper[static_cast<unsigned char>(bytes[i])];
    return out;
}

QByteArray TCodePage::ForLocale(QStringView localeName)
{
    const QString lang = localeName.toString().section(u'_', 0, 0).section(u'-', 0, 0).toLower();
    const QString full = localeName.toString();
    struct Row {
        const char* page;
        const char* languages;
    };
    static const Row rows[] = {
        {"cp1250", " cs hu pl ro hr sk sl sq bs "},
        {"cp1251", " ru uk be bg mk kk ky mn tt ba "},
        {"cp1253", " el "},
        {"cp1254", " tr az uz "},
        {"cp1255", " he yi "},
        {"cp1256", " ar fa ur "},
        {"cp1257", " et lv lt "},
        {"cp1258", " vi "},
        {"cp874", " th "},
    };
    // Serbian is written in both scripts; Windows gives the Cyrillic locales 1251.
    if (lang == u"sr")
        return full.contains(u"Latn") ? "cp1250" : "cp1251";
    const QByteArray needle = ' ' + lang.toLatin1() + ' ';
    for (const Row& row : rows)
        if (QByteArrayView(row.languages).contains(needle))
            return row.page;
    return "cp1252";
}

namespace {
struct TProcessPage {
    TCodePage Page;
    QString Problem;
};

const TProcessPage& ProcessPage()
{
    static const TProcessPage chosen = [] {
        const QByteArray forced = qgetenv("ZELKIT_CODEPAGE");
        const QByteArray own = TCodePage::ForLocale(QLocale::system().name());
        if (forced.isEmpty())
            return TProcessPage{TCodePage(own), QString()};
        TCodePage page(forced);
        if (page.IsValid())
            return TProcessPage{page, QString()};
        return TProcessPage{TCodePage(own),
                            QStringLiteral("ZELKIT_CODEPAGE=%1 is not a single-byte Windows code "
                                           "page (cp874, cp1250 ... cp1258); using %2")
                                .arg(QString::fromLocal8Bit(forced), QString::fromLatin1(own))};
    }();
    return chosen;
}
} // namespace

const TCodePage& TCodePage::Ansi()
{
    return ProcessPage().Page;
}

QString TCodePage::AnsiProblem()
{
    return ProcessPage().Problem;
}

QByteArray ToAnsi(QStringView text)
{
    return TCodePage::Ansi().Encode(text);
}

QString FromAnsi(QByteArrayView bytes)
{
    return TCodePage::Ansi().Decode(bytes);
}

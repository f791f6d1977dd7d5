// Feeds arbitrary bytes to the language file reader as a whole file and looks up every
// identifier the program uses and some it never does; each text then goes through the
// nickname formatter with a nick made to look like a pattern.
#include "lang/FormatText.h"
#include "lang/LangFile.h"

#include <QString>

#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString nick = QStringLiteral("%s%n%d%%%*s%0:s%1:s%");
    static const int bigIds[] = {9999, 10000, 99999, 123456789, INT_MAX, -2, INT_MIN};

    // The first byte picks the key width, so widths other than the program's 4 are covered.
    const int keyWidth = size > 0 ? data[0] % 12 : 4;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TLanguageFile file = TLanguageFile::FromBytes(bytes.sliced(size > 0 ? 1 : 0), keyWidth);

    auto check = [&](int id) {
        const QString text = file.GetString(id);
        const QString line = FormatWithNick(text, nick);
        // A formatted line is at most the pattern with every specifier widened to the limit.
        if (line.size() > (text.size() + 1) * (nick.size() + 1000))
            __builtin_trap();
    };
    for (int id = -1; id <= 200; ++id)
        check(id);
    for (const int id : bigIds)
        check(id);
    return 0;
}

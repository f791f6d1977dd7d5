// Feeds arbitrary bytes to the datagram decoder as if they had arrived on the chat port and
// checks what a receiver relies on: every field within its capacity, nothing read that did
// not arrive, and a decoded datagram that re-encodes to itself. Then the same bytes, cut
// into datagrams, go through a chat engine's dispatch (EngineDrive.h).
#include "EngineDrive.h"

#include "net/ChatDatagram.h"
#include "platform/CodePage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Datagram;

namespace {

[[noreturn]] void Fail(const char* what, const TChatDatagram& d)
{
    std::fprintf(stderr, "datagram check failed: %s\n%s\n", what, DescribeDatagram(d).constData());
    std::abort();
}

// The byte a receiver sees at offset: as read into a zero-filled buffer.
std::uint8_t Received(QByteArrayView bytes, int offset)
{
    return offset < bytes.size() ? static_cast<std::uint8_t>(bytes[offset]) : 0;
}

void CheckShortString(QByteArrayView bytes, int offset, int capacity, const QByteArray& value,
                      const TChatDatagram& d)
{
    if (value.size() != std::min<int>(Received(bytes, offset), capacity))
        Fail("short string length", d);
    for (int i = 0; i < value.size(); ++i)
        if (static_cast<std::uint8_t>(value[i]) != Received(bytes, offset + 1 + i))
            Fail("short string characters", d);
}

void CheckText(const QByteArray& field, const TChatDatagram& d)
{
    // The code pages are single-byte: one character per byte, and nothing lost on the way back.
    const QString wide = FromAnsi(field);
    if (wide.size() != field.size())
        Fail("code page width", d);
    if (ToAnsi(wide) != field)
        Fail("code page round trip", d);
}

} // namespace

// What must hold for any bytes received.
void CheckDatagramBytes(QByteArrayView bytes)
{
    const TChatDatagram d = DecodeDatagram(bytes);

    const int textRoom = std::max(0, static_cast<int>(bytes.size()) - HeaderSize);
    const int claimed = Received(bytes, OffTextLength) | Received(bytes, OffTextLength + 1) << 8;
    if (d.Text.size() != std::min({claimed, textRoom, MaxTextLength}))
        Fail("text length", d);
    if (QByteArrayView(d.Text) !=
        bytes.sliced(std::min<qsizetype>(OffText, bytes.size())).first(d.Text.size()))
        Fail("text bytes", d);
    CheckShortString(bytes, OffSenderNick, NickCapacity, d.SenderNick, d);
    CheckShortString(bytes, OffPartMarker, MarkerCapacity, d.PartMarker, d);
    CheckShortString(bytes, OffRecipientNick, NickCapacity, d.RecipientNick, d);
    std::uint32_t color = 0;
    for (int i = 0; i < 4; ++i)
        color |= static_cast<std::uint32_t>(Received(bytes, OffTextColor + i)) << (8 * i);
    if (d.Kind != Received(bytes, OffKind) || d.Gender != Received(bytes, OffGender) ||
        d.TextColor != color || d.Bold != Received(bytes, OffBold) ||
        d.Italic != Received(bytes, OffItalic))
        Fail("plain fields", d);

    // Whatever arrived, the decoded value is one this program could have sent itself.
    const QByteArray wire = EncodeDatagram(d);
    if (wire.size() != HeaderSize + d.Text.size())
        Fail("encoded size", d);
    if (DecodeDatagram(wire) != d)
        Fail("decode of the re-encoded datagram", d);
    if (EncodeDatagram(DecodeDatagram(wire)) != wire)
        Fail("encoding is not stable", d);

    for (const QByteArray* field : {&d.SenderNick, &d.PartMarker, &d.RecipientNick, &d.Text})
        CheckText(*field, d);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckDatagramBytes(bytes);
    DriveEngine(bytes);
    return 0;
}

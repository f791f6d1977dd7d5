#include "net/ChatDatagram.h"

#include <algorithm>

using namespace Datagram;

namespace {

void PutShortString(QByteArray& out, int offset, int capacity, const QByteArray& value)
{
    const int n = static_cast<int>(std::min<qsizetype>(value.size(), capacity));
    out[offset] = static_cast<char>(n);
    std::copy_n(value.constData(), n, out.data() + offset + 1);
}

// A byte of the zero-filled receive buffer: what lies beyond the received bytes is zero.
std::uint8_t ByteAt(QByteArrayView in, int offset)
{
    return offset < in.size() ? static_cast<std::uint8_t>(in[offset]) : 0;
}

QByteArray GetShortString(QByteArrayView in, int offset, int capacity)
{
    const int n = std::min<int>(ByteAt(in, offset), capacity);
    QByteArray value(n, '\0');
    for (int i = 0; i < n; ++i)
        value[i] = static_cast<char>(ByteAt(in, offset + 1 + i));
    return value;
}

} // namespace

QByteArray EncodeDatagram(const TChatDatagram& d)
{
    const int textLength = static_cast<int>(std::min<qsizetype>(d.Text.size(), MaxTextLength));
    QByteArray out(HeaderSize + textLength, '\0');
    out[OffKind] = static_cast<char>(d.Kind);
    PutShortString(out, OffSenderNick, NickCapacity, d.SenderNick);
    out[OffGender] = static_cast<char>(d.Gender);
    for (int i = 0; i < 4; ++i)
        out[OffTextColor + i] = static_cast<char>((d.TextColor >> (8 * i)) & 0xFF);
    PutShortString(out, OffPartMarker, MarkerCapacity, d.PartMarker);
    out[OffBold] = static_cast<char>(d.Bold);
    out[OffItalic] = static_cast<char>(d.Italic);
    PutShortString(out, OffRecipientNick, NickCapacity, d.RecipientNick);
    out[OffTextLength] = static_cast<char>(textLength & 0xFF);
    out[OffTextLength + 1] = static_cast<char>(textLength >> 8);
    std::copy_n(d.Text.constData(), textLength, out.data() + OffText);
    return out;
}

TChatDatagram DecodeDatagram(QByteArrayView in)
{
    TChatDatagram d;
    d.Kind = ByteAt(in, OffKind);
    d.SenderNick = GetShortString(in, OffSenderNick, NickCapacity);
    d.Gender = ByteAt(in, OffGender);
    for (int i = 0; i < 4; ++i)
        d.TextColor |= static_cast<std::uint32_t>(ByteAt(in, OffTextColor + i)) << (8 * i);
    d.PartMarker = GetShortString(in, OffPartMarker, MarkerCapacity);
    d.Bold = ByteAt(in, OffBold);
    d.Italic = ByteAt(in, OffItalic);
    d.RecipientNick = GetShortString(in, OffRecipientNick, NickCapacity);
    const int claimed = ByteAt(in, OffTextLength) | (ByteAt(in, OffTextLength + 1) << 8);
    const int received = static_cast<int>(std::max<qsizetype>(0, in.size() - HeaderSize));
    const int n = std::min({claimed, received, MaxTextLength});
    d.Text = n > 0 ? QByteArray(in.data() + OffText, n) : QByteArray();
    return d;
}

void SetDatagramText(const QByteArray& text, TChatDatagram& d)
{
    d.Text = text.left(MaxTextLength);
}

QByteArray GetDatagramText(const TChatDatagram& d)
{
    return d.Text.left(MaxTextLength);
}

TChatDatagram MakeShortCommand(TDatagramKind kind, const QByteArray& nick, int value)
{
    TChatDatagram d;
    d.Kind = static_cast<std::uint8_t>(kind);
    d.SenderNick = nick.left(NickCapacity);
    d.Gender = static_cast<std::uint8_t>(value & 0xFF);
    return d;
}

QByteArray DescribeDatagram(const TChatDatagram& d)
{
    auto quoted = [](const QByteArray& s) { return '"' + s.toPercentEncoding(" ~@:") + '"'; };
    return "kind=" + QByteArray::number(d.Kind) + " sender=" + quoted(d.SenderNick) +
           " gender=" + QByteArray::number(d.Gender) + " color=0x" +
           QByteArray::number(d.TextColor, 16) + " marker=" + quoted(d.PartMarker) +
           " bold=" + QByteArray::number(d.Bold) + " italic=" + QByteArray::number(d.Italic) +
           " recipient=" + quoted(d.RecipientNick) + " text=" + quoted(d.Text);
}

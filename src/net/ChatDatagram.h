#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMetaType>

#include <cstdint>

// The one wire record every peer sends and receives. Offsets in bytes; integers are
// little-endian; text is 8-bit in the code page of the network (platform/CodePage.h).
//
//   0   Kind            1 byte
//   1   SenderNick      length byte + 32
//   34  Gender          1 byte
//   35  TextColor       4 bytes, red in the low byte
//   39  PartMarker      length byte + 30
//   70  Bold            1 byte
//   71  Italic          1 byte
//   72  RecipientNick   length byte + 32
//   105 TextLength      2 bytes, 0..450
//   107 Text            TextLength bytes
enum class TDatagramKind : std::uint8_t {
    dkConferenceMsg = 0,
    dkPrivateMsg = 1,
    dkNickQuery = 2,
    dkNickInUse = 3,
    dkEnter = 4,
    dkLeave = 5,
    dkHidden = 6,
    dkVisible = 7,
    dkListQuery = 8,
    dkListAnswer = 9,
};

namespace Datagram {
inline constexpr int HeaderSize = 107;
inline constexpr int MaxTextLength = 450;
inline constexpr int MaxSize = HeaderSize + MaxTextLength; // 557
inline constexpr int NickCapacity = 32;
inline constexpr int MarkerCapacity = 30;
inline constexpr int OffKind = 0;
inline constexpr int OffSenderNick = 1;
inline constexpr int OffGender = 34;
inline constexpr int OffTextColor = 35;
inline constexpr int OffPartMarker = 39;
inline constexpr int OffBold = 70;
inline constexpr int OffItalic = 71;
inline constexpr int OffRecipientNick = 72;
inline constexpr int OffTextLength = 105;
inline constexpr int OffText = 107;
// The marker of the first (or only) piece of a message and of every further piece.
inline constexpr char FirstPartMarker[] = "~";
inline constexpr char NextPartMarker[] = "MP";
// What a hidden peer puts into RecipientNick of its list answers.
inline constexpr char HiddenMarker[] = "@@@@@@@@@IAmHidden";
} // namespace Datagram

// A datagram as plain values. The short strings hold only their characters (no length
// byte); Encode cuts them to their capacity, so any value may be assigned.
struct TChatDatagram {
    // Raw kind byte: receivers must see kinds above 9 to ignore them.
    std::uint8_t Kind = 0;
    QByteArray SenderNick;
    std::uint8_t Gender = 0;
    std::uint32_t TextColor = 0;
    QByteArray PartMarker;
    std::uint8_t Bold = 0;
    std::uint8_t Italic = 0;
    QByteArray RecipientNick;
    QByteArray Text;

    TDatagramKind kind() const { return static_cast<TDatagramKind>(Kind); }
    bool operator==(const TChatDatagram&) const = default;
};
Q_DECLARE_METATYPE(TChatDatagram)

// The exact bytes of the datagram on the wire: 107 + TextLength bytes, every byte a field
// leaves unused is zero, short strings and the text cut to their capacities.
QByteArray EncodeDatagram(const TChatDatagram& datagram);

// Reads whatever arrived. Never reads past `size`; fields beyond it read as zero (as from
// a zero-filled 557-byte buffer); a short-string length above its capacity is taken as the
// capacity; the text is at most the bytes received after the header and at most 450.
TChatDatagram DecodeDatagram(QByteArrayView bytes);

// TextLength := min(byte length, 450); that many bytes become the text.
void SetDatagramText(const QByteArray& text, TChatDatagram& datagram);
// Exactly TextLength bytes of text.
QByteArray GetDatagramText(const TChatDatagram& datagram);

// The control datagram of kinds 2..5: SenderNick := nick (cut to 32 bytes), Gender := low
// byte of value, everything else zero.
TChatDatagram MakeShortCommand(TDatagramKind kind, const QByteArray& nick, int value);

// Readable form for test failures and diagnostics.
QByteArray DescribeDatagram(const TChatDatagram& datagram);

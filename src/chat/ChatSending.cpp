// Turning what the user typed into datagrams.
#include "chat/ChatEngine.h"

#include "chat/EditorText.h"
#include "config/Config.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "platform/CodePage.h"

namespace {

// Pieces of at most 450 units; an empty text is one empty piece.
template <typename TText> QList<TText> CutIntoPieces(const TText& text)
{
    QList<TText> pieces;
    for (qsizetype at = 0; at < text.size(); at += Datagram::MaxTextLength)
        pieces.append(text.mid(at, Datagram::MaxTextLength));
    if (pieces.isEmpty())
        pieces.append(TText());
    return pieces;
}

} // namespace

void TChatEngine::SendConferenceCommand()
{
    if (!FMachine.AcceptsOutgoing() || FConferenceFlood.IsBusy())
        return;
    const QString text = FHost.EditorText();
    if (TrimBlanksAndControls(text).isEmpty())
        return;
    FConferenceFlood.Submit(text);
    FHost.SetEditorText(QString(), 0);
    FHost.UpdateEditCommands();
}

void TChatEngine::SendPrivateCommand()
{
    if (!FMachine.AcceptsOutgoing() || FPrivateFlood.IsBusy())
        return;
    const QString text = FHost.EditorText();
    const QString recipient = GetAddressee(text);
    if (GetMessageBody(text).isEmpty())
        return;
    if (!recipient.isEmpty() && FContacts.Find(ToAnsi(recipient))) {
        FPrivateFlood.Submit(text);
        const QString next = recipient + QLatin1String(": ");
        FHost.SetEditorText(next, next.size());
        FHost.UpdateEditCommands();
        return;
    }
    FHost.HideRecipientHint();
    FHost.ShowRecipientHint(Text(sidSelectRecipient));
    FHost.StartTimer(TChatTimer::PrivateHintTimer, PrivateHintInterval);
}

TChatDatagram TChatEngine::MessageTemplate(TDatagramKind kind) const
{
    const TEditorFont font = FHost.EditorFont();
    TChatDatagram d;
    d.Kind = static_cast<std::uint8_t>(kind);
    d.SenderNick = OwnNick();
    d.Gender = static_cast<std::uint8_t>(OwnGender() & 0xFF);
    d.TextColor = font.Color;
    d.Bold = font.Bold ? 1 : 0;
    d.Italic = font.Italic ? 1 : 0;
    return d;
}

void TChatEngine::ConferenceSender(const QString& text)
{
    if (!FMachine.AcceptsOutgoing())
        return;
    const QString body = TrimBlanksAndControls(text);
    // Cut by characters, then convert each piece: with a single-byte code page a piece of
    // 450 characters is 450 bytes.
    QList<QByteArray> pieces;
    for (const QString& piece : CutIntoPieces(body))
        pieces.append(ToAnsi(piece));
    QueuePieces(MessageTemplate(TDatagramKind::dkConferenceMsg), pieces);
    FHost.FocusEditor();
}

void TChatEngine::PrivateSender(const QString& text)
{
    if (!FMachine.AcceptsOutgoing())
        return;
    TChatDatagram d = MessageTemplate(TDatagramKind::dkPrivateMsg);
    const QByteArray recipient = ToAnsi(GetAddressee(text)).left(Datagram::NickCapacity);
    d.RecipientNick = recipient;
    const QByteArray body = ToAnsi(GetMessageBody(text));

    TChatMessage shown;
    shown.View = TChatView::Private;
    shown.IsOutgoing = true;
    shown.IsPrivate = true;
    shown.Text = body;
    shown.Addressee = recipient;
    shown.Nick = OwnNick();
    shown.Color = d.TextColor;
    FHost.AddChatMessage(shown);
    FHost.WriteMessage(OwnNick(), ToAnsi(Text(sidPrivateMarker)) + ' ' + ToAnsi(text));

    QueuePieces(d, CutIntoPieces(body));
    FHost.FocusEditor();
}

void TChatEngine::QueuePieces(TChatDatagram datagram, QList<QByteArray> pieces)
{
    // A message's pieces stay together on the wire even when the user sends again before
    // the last one has gone: receivers join a piece to whatever came before it.
    const bool idle = FPieces.empty();
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        datagram.PartMarker = i == 0 ? Datagram::FirstPartMarker : Datagram::NextPartMarker;
        SetDatagramText(pieces[i], datagram);
        FPieces.push_back(datagram);
    }
    if (idle)
        SendNextPiece();
}

void TChatEngine::SendNextPiece()
{
    if (FPieces.empty())
        return;
    const TChatDatagram next = FPieces.front();
    FPieces.pop_front();
    Send(next);
    // A message of one piece goes out at once and keeps nothing waiting.
    if (!FPieces.empty())
        FHost.StartTimer(TChatTimer::PieceTimer, PieceInterval);
}

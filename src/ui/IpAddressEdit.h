#pragma once

#include <QLineEdit>

// A field for a dotted IPv4 address: it takes up to four numbers of 0 to 255 separated by
// dots and nothing else, and always yields a whole address, a missing number counting as 0
// ("192.168." is 192.168.0.0).
class TIpAddressEdit final : public QLineEdit
{
    Q_OBJECT

public:
    explicit TIpAddressEdit(QWidget* parent = nullptr);

    // Shows the address the chat would use for the text: a dotted address as it is, any
    // other form of the platform's conversion in dotted form, an unreadable text as
    // 255.255.255.255.
    void SetAddress(const QString& text);
    // The field's address in dotted form, four numbers.
    QString Address() const;

    // The same on a text, for the rule's own sake.
    static QString Normalized(const QString& typed);
};

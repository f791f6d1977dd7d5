#pragma once

#include <QValidator>

#include <functional>

// What the nickname field lets in: never ",", "<" or ">" (they would confuse the addressee
// and the event lines that show a nickname), and no more than 32 bytes once converted to the
// code page of the wire. An edit that breaks either rule is undone whole; one that brings in
// a refused character runs OnRefused (the dialog beeps there).
class TNickValidator final : public QValidator
{
    Q_OBJECT

public:
    static constexpr int MaxNickBytes = 32;

    explicit TNickValidator(QObject* parent = nullptr);

    std::function<void()> OnRefused;

    State validate(QString& input, int& pos) const override;

    static bool IsRefused(QChar c);
    // The longest start of `text` that fits into MaxNickBytes, with the refused characters
    // taken out: what the field shows for a proposed name.
    static QString Fit(const QString& text);
};

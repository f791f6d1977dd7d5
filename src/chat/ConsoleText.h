#pragma once

#include "chat/ChatHost.h"

#include <QString>
#include <QTime>

// The plain text of the lines a console shows. The rich-text consoles colour these parts;
// the headless mode prints them as they are.
struct TConsoleLine {
    QString TimePart;      // "[time] " or empty
    QString NickPart;      // "<nick> " or empty
    QString AddresseePart; // "addressee: ", ">addressee: " or empty
    QString Text;
    QString Whole() const { return TimePart + NickPart + AddresseePart + Text; }
};

// The locale's long time format without a time zone: hours, minutes and seconds with the
// locale's separator and AM/PM convention.
QString LongTimeFormat();

// "[" + the time in the locale's long format + "] ".
QString ConsoleTimeStamp(const QTime& time);

// The parts of a chat line; 8-bit texts are read in the code page of the network. A
// continuation has only its text: it joins the previous line.
TConsoleLine ComposeChatLine(const TChatMessage& message, const QString& timeStamp);

// networkError + " " + text + " #" + the code in decimal.
QString ComposeErrorLine(const QString& networkError, const QString& text, int errorCode);

#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a language file holding text: FF FE, then the UTF-16LE units.
QByteArray Utf16File(const QString& text);
// The same without the mark.
QByteArray Utf16Units(const QString& text);
// Writes bytes to path; false when that fails.
bool WriteBytes(const QString& path, const QByteArray& bytes);

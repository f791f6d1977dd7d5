#pragma once

#include <QByteArray>

class QWidget;

// Gives the window the X11 class the chat's window is known by ("ZELKIT_CHAT_WINDOW", the
// name the desktop entry's StartupWMClass and window rules match), with `instance` as the
// instance part. Qt would name both parts after the program file. Run before every mapping
// (Qt writes its own class again whenever it makes the native window anew); nothing happens
// off X11.
void SetX11WindowClass(QWidget& window, const QByteArray& instance, const QByteArray& className);

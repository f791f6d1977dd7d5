#pragma once

#include <QString>
#include <QWidget>

// A new child widget under its name in the program, by which tests and captions find it.
template <typename T> T* NewNamed(QWidget* parent, const char* name)
{
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

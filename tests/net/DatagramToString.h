#pragma once

#include "net/ChatDatagram.h"

#include <QtTest>

// Lets QCOMPARE print a datagram field by field.
inline char* toString(const TChatDatagram& datagram)
{
    return qstrdup(DescribeDatagram(datagram).constData());
}

#pragma once

#include <QByteArrayView>

// Drives a chat engine with one fuzz input: the first three bytes choose the engine's state
// and how the rest is cut into up to eight datagrams, when timers expire and how far the
// clock moves; the datagrams are dispatched as received. Aborts when a property fails.
//
//   byte 0   bits 0-1 state (0, 3 ready; 1 registering; 2 interrogating)
//            bits 2-4 number of datagrams - 1
//            bit 5    the engine hears its own datagrams again, as on a real network
//            bit 6    each datagram's bytes are also typed and sent as a message
//            bit 7    the own nickname is longer than the wire's 32 bytes
//   byte 1   bit i: after datagram i the next due timer expires
//   byte 2   milliseconds / 8 the clock moves before each datagram
//   then     per datagram a 16-bit little-endian length (mod 1024) and the bytes; the last
//            datagram is the rest of the input
void DriveEngine(QByteArrayView input);

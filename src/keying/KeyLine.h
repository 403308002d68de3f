#pragma once

// One output that keys the transmitter: a serial port's RTS or DTR line, a printer-port bit, or
// a recorder in tests and benchmarks. The keying thread is its only caller while it keys.
class KeyLine {
public:
    virtual ~KeyLine() = default;
    // Key down (true) or key up (false). Called for every element, also when the line is
    // already in that state.
    virtual void setKeyDown(bool down) = 0;
};

#pragma once

#include "keying/KeyLine.h"

#include <QString>
#include <optional>

// Keys bit 0 of the printer port's control register through Linux ppdev: key down writes 3,
// key up 2 (bit 1 stays set), as a write to I/O address base + 2 would on the bare port.
class ParallelKeyLine final : public KeyLine {
public:
    explicit ParallelKeyLine(QString device);
    ~ParallelKeyLine() override;

    // The ppdev device for a classic base address: 0x378 is /dev/parport0, 0x278 /dev/parport1.
    static std::optional<QString> deviceForBase(unsigned base);
    // "&H378", "0x378" or decimal; nullopt when it is no number.
    static std::optional<unsigned> parseAddress(const QString& text);

    // Opens and claims the port. False with the reason in error().
    bool open();
    bool isOpen() const { return m_fd >= 0; }
    QString error() const { return m_error; }

    void setKeyDown(bool down) override;

private:
    QString m_device;
    int m_fd = -1;
    QString m_error;
};

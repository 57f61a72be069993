#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <span>

#include "simlink/fsuipc_byte_order.h"

namespace tl {

// The 64 KiB of simulator values that FSUIPC serves by offset, little-endian. Bytes past the end
// read as zero and are not written.
class SimulatorMemory {
public:
    static constexpr std::uint32_t size = 0x10000;

    static constexpr std::uint32_t groundAltitudeOffset = 0x0020;
    static constexpr std::uint32_t latitudeOffset = 0x0560;
    static constexpr std::uint32_t longitudeOffset = 0x0568;
    static constexpr std::uint32_t fsuipcVersionOffset = 0x3304;
    static constexpr std::uint32_t fsVersionOffset = 0x3308;
    static constexpr std::uint32_t checkPatternOffset = 0x330A;

    static constexpr std::uint32_t defaultFsuipcVersion = 0x39990000;
    static constexpr std::uint16_t defaultSimulatorVersion = 7;
    static constexpr std::uint16_t checkPattern = 0xFADE;

    // Holds the default versions and the check pattern; everything else is zero.
    SimulatorMemory();

    void readBytes(std::uint32_t offset, std::span<std::uint8_t> destination) const;
    void writeBytes(std::uint32_t offset, std::span<const std::uint8_t> source);

    template <std::integral T>
    T read(std::uint32_t offset) const {
        std::array<std::uint8_t, sizeof(T)> bytes{};
        readBytes(offset, bytes);
        return loadLittleEndian<T>(bytes.data());
    }

    template <std::integral T>
    void write(std::uint32_t offset, T value) {
        std::array<std::uint8_t, sizeof(T)> bytes{};
        storeLittleEndian(bytes.data(), value);
        writeBytes(offset, bytes);
    }

private:
    std::array<std::uint8_t, size> bytes_{};
};

}  // namespace tl

#include "simlink/fsuipc_simulator_memory.h"

#include <algorithm>

namespace tl {

SimulatorMemory::SimulatorMemory() {
    write(fsuipcVersionOffset, defaultFsuipcVersion);
    write(fsVersionOffset, defaultSimulatorVersion);
    write(checkPatternOffset, checkPattern);
}

void SimulatorMemory::readBytes(std::uint32_t offset, std::span<std::uint8_t> destination) const {
    std::fill(destination.begin(), destination.end(), std::uint8_t{0});
    if (offset >= size) {
        return;
    }
    const auto count = std::min<std::size_t>(destination.size(), size - offset);
    std::copy_n(bytes_.begin() + offset, count, destination.begin());
}

void SimulatorMemory::writeBytes(std::uint32_t offset, std::span<const std::uint8_t> source) {
    if (offset >= size) {
        return;
    }
    const auto count = std::min<std::size_t>(source.size(), size - offset);
    std::copy_n(source.begin(), count, bytes_.begin() + offset);
}

}  // namespace tl

#include "simlink/fsuipc_record_executor.h"

#include <array>

namespace tl {

std::uint32_t carryOutRecords(RequestArea& area, std::uint32_t start, SimulatorMemory& memory) {
    const auto end = area.scan(start, [&memory](const RequestArea::Record& record) {
        if (record.kind == RequestArea::readRecord) {
            memory.readBytes(record.offset, record.data);
            return;
        }
        std::array<std::uint8_t, 2> pattern{};
        memory.readBytes(SimulatorMemory::checkPatternOffset, pattern);
        memory.writeBytes(record.offset, record.data);
        memory.writeBytes(SimulatorMemory::checkPatternOffset, pattern);
    });
    return end == RequestArea::ScanEnd::EndMark ? 1 : 0;
}

}  // namespace tl

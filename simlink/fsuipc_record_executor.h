#pragma once

#include <cstdint>

#include "simlink/fsuipc_request_area.h"
#include "simlink/fsuipc_simulator_memory.h"

namespace tl {

// Carries out the records of a request area against a simulator memory as FSUIPC does: reads fill
// the record's data in place, writes change the memory, except the check pattern at 0x330A, which a
// client's write (its library version) leaves as it is. Returns the reply: 1 when every record up
// to the end mark was carried out, 0 when a record of another kind or one running past the area's
// end stopped the work (the records before it stay done).
std::uint32_t carryOutRecords(RequestArea& area, std::uint32_t start, SimulatorMemory& memory);

}  // namespace tl

#pragma once

#include <cstdint>

namespace tl {

// Module state read from flatten.ini: the grid's LOD level and the pause between outline edges.
struct GridSettings {
    std::int16_t gridLod = 13;
    std::int16_t linkDelay = 100;
};

}  // namespace tl

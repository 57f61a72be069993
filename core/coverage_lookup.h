#pragma once

namespace tl {

// Shows which listed scenery file covers a point.
class CoverageLookup {
public:
    virtual ~CoverageLookup() = default;
    virtual void HypeFIle(double lat, double lon) = 0;
};

}  // namespace tl

#pragma once

#include "common/number_text.h"
#include "core/error_reporter.h"
#include "core/link_control.h"
#include "core/position_source.h"
#include "core/window.h"
#include "simlink/aircraft_position.h"
#include "simlink/fsuipc_client.h"
#include "simlink/position_conversion.h"

namespace tl {

// Reads the aircraft's position and the ground altitude under it in one exchange, keeps the
// position and shows all three values in the window's labels. A failed exchange drops the link.
class PositionReader : public PositionSource {
public:
    PositionReader(FsuipcClient& client, LinkControl& link, AircraftPosition& position,
                   Window& window, const NumberText& numbers, ErrorReporter& errors);

    void getPosition() override;

private:
    struct RawValues {
        PositionConversion::Bytes4 ground{};
        PositionConversion::Bytes8 longitude{};
        PositionConversion::Bytes8 latitude{};
    };

    // False when the link failed and has been dropped.
    bool exchange(RawValues& raw);
    void show(const RawValues& raw);

    FsuipcClient& client_;
    LinkControl& link_;
    AircraftPosition& position_;
    Window& window_;
    PositionConversion conversion_;
    ErrorReporter& errors_;
};

}  // namespace tl

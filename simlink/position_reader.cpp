#include "simlink/position_reader.h"

#include "simlink/fsuipc_simulator_memory.h"

namespace tl {

PositionReader::PositionReader(FsuipcClient& client, LinkControl& link, AircraftPosition& position,
                               Window& window, const NumberText& numbers, ErrorReporter& errors)
    : client_(client),
      link_(link),
      position_(position),
      window_(window),
      conversion_(numbers),
      errors_(errors) {}

void PositionReader::getPosition() {
    RawValues raw;
    const bool finished = errors_.guard("getPosition", [&] {
        if (exchange(raw)) {
            show(raw);
        }
    });
    if (!finished) {
        window_.showMessage(conversion_.rawGroundText(raw.ground));
    }
}

bool PositionReader::exchange(RawValues& raw) {
    std::uint32_t result = 0;
    // All three reads are queued even when one is refused.
    const bool groundQueued = client_.fsuipcRead(SimulatorMemory::groundAltitudeOffset,
                                                 raw.ground.size(), raw.ground.data(), result);
    const bool longitudeQueued = client_.fsuipcRead(
        SimulatorMemory::longitudeOffset, raw.longitude.size(), raw.longitude.data(), result);
    const bool latitudeQueued = client_.fsuipcRead(
        SimulatorMemory::latitudeOffset, raw.latitude.size(), raw.latitude.data(), result);
    if (!(groundQueued && longitudeQueued && latitudeQueued) || !client_.fsuipcProcess(result)) {
        link_.linkFailure(link_.msgConnectLost);
        return false;
    }
    return true;
}

void PositionReader::show(const RawValues& raw) {
    // Both coordinates are kept before any label is written, so that a failure while showing
    // them never leaves a new latitude beside an old longitude.
    position_.planeLat = PositionConversion::latitude(PositionConversion::signed64(raw.latitude));
    position_.planeLon = PositionConversion::longitude(PositionConversion::signed64(raw.longitude));

    const PositionConversion::GroundTexts ground =
        conversion_.groundTexts(PositionConversion::signed32(raw.ground));
    window_.setText("lblGroundAlt", ground.altitude);
    window_.setText("lblGroundAltM", ground.wholeMetres);
    window_.setText("lblGroundAltMm", ground.remainder);

    const bool asDegreesMinutes = window_.isChecked("mnuCoords");
    window_.setText("lblLat", conversion_.coordinateText(position_.planeLat, asDegreesMinutes));
    window_.setText("lblLon", conversion_.coordinateText(position_.planeLon, asDegreesMinutes));
    window_.setText("lblAreaPtX",
                    std::to_string(PositionConversion::areaPointX(position_.planeLon)) + ",");
    window_.setText("lblAreaPtY",
                    std::to_string(PositionConversion::areaPointY(position_.planeLat)));
}

}  // namespace tl

// getPosition on any values the simulator may hold at the ground altitude, longitude and latitude
// offsets: the position and its labels.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/number_text.h"
#include "core/error_reporter.h"
#include "core/link_control.h"
#include "fuzz/support/fuzz_check.h"
#include "simlink/aircraft_position.h"
#include "simlink/fsuipc_client.h"
#include "simlink/fsuipc_simulator_memory.h"
#include "simlink/position_reader.h"
#include "tests/support/fake_transport.h"
#include "tests/support/fake_window.h"

using tl::SimulatorMemory;
using tl::fuzz::check;

namespace {

bool inCell(const std::string& text) {
    const int place = std::stoi(text);
    return place >= 0 && place <= 255;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tl::test::FakeTransport fake;
    const auto ground = input.ConsumeIntegral<std::int32_t>();
    fake.memory.write(SimulatorMemory::groundAltitudeOffset, ground);
    fake.memory.write(SimulatorMemory::longitudeOffset, input.ConsumeIntegral<std::int64_t>());
    fake.memory.write(SimulatorMemory::latitudeOffset, input.ConsumeIntegral<std::int64_t>());

    tl::test::FakeWindow window;
    window.setChecked("mnuCoords", input.ConsumeBool());
    const tl::NumberText numbers(input.ConsumeBool() ? ',' : '.');
    tl::FsuipcClient client(fake, [&window](const std::string& text) { window.showMessage(text); });
    tl::LinkControl link(client, window);
    link.composeMessages();
    link.connectLink();
    check(link.fsConnected, "the link opens");
    tl::AircraftPosition position;
    tl::ErrorReporter errors(window);
    tl::PositionReader reader(client, link, position, window, numbers, errors);
    reader.getPosition();

    check(window.messages.empty(), "any values are shown without a failure");
    check(link.fsConnected, "the link stays up");
    check(std::isfinite(position.planeLat) && std::isfinite(position.planeLon), "finite position");
    check(position.planeLon >= -180 && position.planeLon <= 180, "longitude within the world");
    check(inCell(window.text("lblAreaPtX")), "the area point x within its cell");
    if (std::fabs(position.planeLat) <= 90) {
        check(inCell(window.text("lblAreaPtY")), "the area point y within its cell");
    }

    // The ground in metres x 256 is shown exactly, and split into metres and 1/128 m.
    const double metres = ground / 256.0;
    check(numbers.parse(window.text("lblGroundAlt")) == metres, "the ground altitude is exact");
    const int whole = std::stoi(window.text("lblGroundAltM"));
    const int remainder = std::stoi(window.text("lblGroundAltMm"));
    check(remainder > -128 && remainder < 128, "the remainder below one metre");
    check(std::fabs(whole + remainder / 128.0 - metres) <= 1 / 256.0,
          "metres and remainder make the altitude");
    if (!window.isChecked("mnuCoords")) {
        check(std::fabs(numbers.parse(window.text("lblLat")) - position.planeLat) <=
                  1e-13 + 1e-14 * std::fabs(position.planeLat),
              "the latitude label shows the latitude");
    }
    return 0;
}

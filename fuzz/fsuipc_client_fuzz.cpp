// The FSUIPC client's scan of the request area after an exchange, when another process has left
// any bytes there: answered reads may only land in their own destinations.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/support/fuzz_check.h"
#include "simlink/fsuipc_client.h"
#include "simlink/fsuipc_request_area.h"
#include "simlink/fsuipc_simulator_memory.h"
#include "tests/support/fake_transport.h"

using tl::FsuipcClient;
using tl::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tl::test::FakeTransport fake;
    FsuipcClient client(fake, [](const std::string&) { check(false, "no unexpected failure"); });
    std::uint32_t result = 0;
    check(client.fsuipcOpen(0, result), "the link opens");

    // Each destination is a heap block of exactly the size asked for, so that a byte copied past
    // it is caught.
    std::vector<std::unique_ptr<std::uint8_t[]>> destinations;
    const int reads = input.ConsumeIntegralInRange(1, 6);
    for (int i = 0; i < reads; ++i) {
        const auto count = input.ConsumeIntegralInRange<std::uint32_t>(0, 40);
        const auto offset = input.ConsumeIntegral<std::uint16_t>();
        destinations.push_back(std::make_unique<std::uint8_t[]>(count));
        check(client.fsuipcRead(offset, count, destinations.back().get(), result),
              "a small read is queued");
    }
    if (input.ConsumeBool()) {
        const std::uint16_t value = input.ConsumeIntegral<std::uint16_t>();
        check(client.fsuipcWrite(0x0100, sizeof value, &value, result), "a small write is queued");
    }

    // The other process overwrites the start of the area after carrying out the records.
    const std::string image = input.ConsumeRemainingBytesAsString();
    std::vector<std::uint8_t>& area = fake.area(client.requestAreaName());
    fake.onExchange = [&image, &area](tl::RequestArea&) {
        std::copy_n(image.begin(), std::min(image.size(), area.size()), area.begin());
    };
    const bool processed = client.fsuipcProcess(result);
    check(processed ? result == FsuipcClient::Ok : result == FsuipcClient::NotAccepted,
          "an exchange is carried out or not accepted");
    check(processed || !image.empty(), "an untouched area is accepted");

    // Whatever the area held, the next exchange works.
    fake.onExchange = nullptr;
    std::uint32_t version = 0;
    check(client.fsuipcRead(tl::SimulatorMemory::fsuipcVersionOffset, sizeof version, &version,
                            result) &&
              client.fsuipcProcess(result) && version == tl::SimulatorMemory::defaultFsuipcVersion,
          "the next exchange reads the version");
    return 0;
}

#include "simlink/fsuipc_request_area.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "simlink/fsuipc_byte_order.h"
#include "simlink/fsuipc_record_executor.h"
#include "simlink/fsuipc_simulator_memory.h"

namespace tl {
namespace {

TEST(ByteOrder, LittleEndianWhateverTheType) {
    std::array<std::uint8_t, 8> bytes{};
    storeLittleEndian<std::int32_t>(bytes.data(), -128);
    EXPECT_EQ(bytes[0], 0x80);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(loadLittleEndian<std::int32_t>(bytes.data()), -128);
    storeLittleEndian<std::uint64_t>(bytes.data(), 0x0102030405060708ULL);
    EXPECT_EQ(bytes[0], 0x08);
    EXPECT_EQ(bytes[7], 0x01);
    EXPECT_EQ(loadLittleEndian<std::uint16_t>(bytes.data() + 6), 0x0102);
    EXPECT_EQ(loadLittleEndian<std::int64_t>(bytes.data()), 0x0102030405060708LL);
}

TEST(SimulatorMemory, HoldsTheVersionsAndStaysInside) {
    SimulatorMemory memory;
    EXPECT_EQ(memory.read<std::uint32_t>(0x3304), 0x39990000u);
    EXPECT_EQ(memory.read<std::uint32_t>(0x3308), 0xFADE0007u);
    memory.write<std::uint32_t>(0xFFFE, 0xAABBCCDD);  // half of it lies past the end
    EXPECT_EQ(memory.read<std::uint32_t>(0xFFFE), 0x0000CCDDu);
    EXPECT_EQ(memory.read<std::uint32_t>(0x10000), 0u);
    EXPECT_EQ(memory.read<std::uint32_t>(0xFFFFFFFF), 0u);
}

class Area : public ::testing::Test {
protected:
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(RequestArea::size);
    RequestArea area{bytes.data()};
    SimulatorMemory memory;
};

TEST_F(Area, ExecutorCarriesOutRecordsInOrder) {
    const std::array<std::uint8_t, 4> value{1, 2, 3, 4};
    const std::uint16_t libVersion = 0x1234;
    std::uint32_t at = area.putRead(0, 0x0100, 4, 1);
    at = area.putWrite(at, 0x0100, 4, value.data());
    at = area.putRead(at, 0x0100, 4, 2);
    at = area.putWrite(at, 0x330A, 2, &libVersion);
    at = area.putRead(at, 0x3308, 4, 3);
    area.putEnd(at);
    ASSERT_EQ(at, 16u + 4 + 12 + 4 + 16 + 4 + 12 + 2 + 16 + 4);
    EXPECT_EQ(carryOutRecords(area, 0, memory), 1u);
    EXPECT_EQ(loadLittleEndian<std::uint32_t>(&bytes[16]), 0u);  // read before the write
    EXPECT_EQ(loadLittleEndian<std::uint32_t>(&bytes[52]), 0x04030201u);
    EXPECT_EQ(memory.read<std::uint32_t>(0x0100), 0x04030201u);
    // The check pattern is not the client's to change.
    EXPECT_EQ(loadLittleEndian<std::uint32_t>(&bytes[86]), 0xFADE0007u);
}

TEST_F(Area, ExecutorStopsAtRecordsItCannotTrust) {
    struct Case {
        const char* name;
        std::uint32_t identifier;
        std::uint32_t count;
        std::uint32_t reply;
    };
    const Case cases[] = {
        {"sound", 1, 4, 1},
        {"unknown identifier", 3, 4, 0},
        {"count past the end", 1, RequestArea::size, 0},
        {"largest count", 1, 0xFFFFFFFF, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::fill(bytes.begin(), bytes.end(), 0);
        memory.write<std::uint32_t>(0x40, 0x11111111);
        memory.write<std::uint32_t>(0x50, 0x22222222);
        std::uint32_t at = area.putRead(0, 0x40, 4, 1);
        at = area.putRead(at, 0x50, 4, 2);
        area.putEnd(at);
        area.setIdentifier(20, c.identifier);
        area.setCount(20, c.count);
        EXPECT_EQ(carryOutRecords(area, 0, memory), c.reply);
        EXPECT_EQ(loadLittleEndian<std::uint32_t>(&bytes[16]), 0x11111111u);
        EXPECT_EQ(loadLittleEndian<std::uint32_t>(&bytes[36]), c.reply == 1 ? 0x22222222u : 0u);
    }
}

TEST_F(Area, RecordsAtTheVeryEnd) {
    // A record that ends exactly at the area's end is visited; no end mark fits after it.
    const std::uint32_t last = RequestArea::size - 16 - 8;
    area.putRead(0, 0, 0, 0);
    area.setIdentifier(0, 2);
    area.setCount(0, last - 12);
    area.putRead(last, 0x3304, 8, 0);
    int visited = 0;
    EXPECT_EQ(area.scan(0, [&](const RequestArea::Record&) { ++visited; }),
              RequestArea::ScanEnd::PastEnd);
    EXPECT_EQ(visited, 2);
    // Headers that do not fit before the end.
    for (const std::uint32_t start : {RequestArea::size - 2, RequestArea::size - 8}) {
        area.setIdentifier(RequestArea::size - 8, 1);
        EXPECT_EQ(area.scan(start, [](const RequestArea::Record&) { FAIL(); }),
                  RequestArea::ScanEnd::PastEnd);
    }
    EXPECT_THROW(area.putRead(RequestArea::size - 16, 0, 1, 0), std::exception);
    EXPECT_THROW(area.putEnd(RequestArea::size - 3), std::exception);
}

TEST_F(Area, ScanOfRandomBytesStaysInside) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::uint32_t> small(0, 600);
    for (int round = 0; round < 300; ++round) {
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(byte(random));
        }
        // Plausible identifiers and counts now and then, so that scans go deep.
        for (std::uint32_t at = 0; at + 16 < RequestArea::size; at += 16 + small(random)) {
            area.setIdentifier(at, 1 + (small(random) % 3));
            area.setCount(at, small(random));
        }
        area.scan(0, [&](const RequestArea::Record& record) {
            ASSERT_GE(record.data.data(), bytes.data());
            ASSERT_LE(record.data.data() + record.data.size(), bytes.data() + bytes.size());
        });
        carryOutRecords(area, 0, memory);
    }
}

}  // namespace
}  // namespace tl

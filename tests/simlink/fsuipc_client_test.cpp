#include "simlink/fsuipc_client.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "simlink/fsuipc_byte_order.h"
#include "tests/support/fake_transport.h"

namespace tl {
namespace {

using test::FakeTransport;
using Send = FakeTransport::Send;

constexpr const char* areaName = "FSASMLIB:IPC:1F4:1";

class FsuipcClientTest : public ::testing::Test {
protected:
    void open() {
        std::uint32_t result = 99;
        ASSERT_TRUE(client.fsuipcOpen(0, result));
        ASSERT_EQ(result, 0u);
    }
    // Nothing of the link is held any more.
    void expectReleased() const {
        EXPECT_FALSE(client.isOpen());
        EXPECT_TRUE(fake.windows.empty());
        EXPECT_TRUE(fake.atoms.empty());
        EXPECT_TRUE(fake.mappings.empty());
        EXPECT_TRUE(fake.views.empty());
    }
    std::uint32_t field(std::size_t at) { return loadLittleEndian<std::uint32_t>(area() + at); }
    std::uint8_t* area() { return fake.area(areaName).data(); }

    FakeTransport fake;
    std::vector<std::string> shown;
    FsuipcClient client{fake, [this](const std::string& text) { shown.push_back(text); }};
};

TEST_F(FsuipcClientTest, OpenMakesOneHandshakeExchange) {
    open();
    EXPECT_TRUE(client.isOpen());
    EXPECT_EQ(client.fsuipcVersion(), 0x39990000);
    EXPECT_EQ(client.fsVersion(), 7u);
    EXPECT_EQ(fake.windowsSearched, std::vector<std::string>{"UIPCMAIN"});
    EXPECT_EQ(fake.mappingNames, std::vector<std::string>{areaName});
    ASSERT_EQ(fake.atoms.size(), 1u);
    EXPECT_EQ(fake.atoms.begin()->second, areaName);
    EXPECT_EQ(fake.sends, 1);
    EXPECT_EQ(fake.lastTimeoutMs, 2000u);
    EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>{100});
    // The records of the first pass, back to back: two reads (header, then the bytes read), the
    // library version write, the end mark.
    const std::pair<std::size_t, std::uint32_t> layout[] = {
        {0, 1},  {4, 0x3304},      {8, 4},  {16, 0x39990000}, {20, 1}, {24, 0x3308},
        {28, 4}, {36, 0xFADE0007}, {40, 2}, {44, 0x330A},     {48, 2}, {54, 0},
    };
    for (const auto& [at, value] : layout) {
        EXPECT_EQ(field(at), value) << "at " << at;
    }
    EXPECT_NE(field(12), 0u);  // the destination fields hold tags
    EXPECT_NE(field(32), 0u);
    EXPECT_EQ(loadLittleEndian<std::uint16_t>(area() + 52), 0u);
    EXPECT_TRUE(shown.empty());
}

TEST_F(FsuipcClientTest, MessageCarriesTheAtomWidenedAsSigned16Bits) {
    open();
    const std::uint16_t atom = fake.atoms.begin()->first;
    ASSERT_GE(atom, 0x8000);
    EXPECT_EQ(static_cast<std::uint32_t>(fake.lastWParam), 0xFFFF0000u | atom);
    EXPECT_EQ(fake.lastWParam, static_cast<std::uintptr_t>(
                                   static_cast<std::intptr_t>(static_cast<std::int16_t>(atom))));
    EXPECT_EQ(fake.lastLParam, 0);
    EXPECT_EQ(fake.lastMessage, fake.registerWindowMessage("FSASMLIB:IPC"));
}

TEST_F(FsuipcClientTest, VersionPassesRepeatWhileAVersionIsZero) {
    // FSUIPC not ready yet: versions appear after the third exchange.
    std::vector<std::uint32_t> recordsPerExchange;
    fake.memory.write<std::uint32_t>(0x3304, 0);
    fake.onExchange = [&](RequestArea& requests) {
        int records = 0;
        requests.scan(0, [&](const RequestArea::Record&) { ++records; });
        recordsPerExchange.push_back(records);
        if (recordsPerExchange.size() == 3) {
            fake.memory.write<std::uint32_t>(0x3304, 0x39990000);
        }
    };
    open();
    EXPECT_EQ(fake.sends, 4);
    EXPECT_EQ(recordsPerExchange, (std::vector<std::uint32_t>{3, 2, 2, 2}));
    EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>(4, 100));
}

TEST_F(FsuipcClientTest, VersionPassesStopAfterFive) {
    fake.memory.write<std::uint32_t>(0x3308, 0);
    std::uint32_t result = 0;
    EXPECT_FALSE(client.fsuipcOpen(0, result));
    EXPECT_EQ(result, 7u);
    EXPECT_EQ(fake.sends, 5);
    expectReleased();
}

TEST_F(FsuipcClientTest, VersionCheck) {
    struct Case {
        std::uint32_t fsuipcVersion;
        std::uint16_t pattern;
        bool onlyFs98;
        std::uint32_t result;
    };
    const Case cases[] = {
        {0x19980005, 0xFADE, false, 0}, {0x19980004, 0xFADE, false, 7},
        {0x80000000, 0xFADE, false, 7},  // compared as a signed number
        {0x39990000, 0xBEEF, false, 7}, {0x19980004, 0xFADE, true, 14},
        {0x39990000, 0xFADF, true, 14}, {0x39990000, 0xFADE, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << std::hex << c.fsuipcVersion << " " << c.pattern << " " << c.onlyFs98);
        FakeTransport transport;
        if (c.onlyFs98) {
            transport.windowClasses = {"FS98MAIN"};
        }
        transport.memory.write(0x3304, c.fsuipcVersion);
        transport.memory.write(0x330A, c.pattern);
        FsuipcClient fresh(transport, [](const std::string&) {});
        std::uint32_t result = 99;
        EXPECT_EQ(fresh.fsuipcOpen(0, result), c.result == 0);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(fresh.isOpen(), c.result == 0);
        EXPECT_EQ(fresh.fsuipcVersion(), static_cast<std::int32_t>(c.fsuipcVersion));
        if (c.result != 0) {
            EXPECT_TRUE(transport.mappings.empty());
            EXPECT_TRUE(transport.windows.empty());
        }
    }
}

TEST_F(FsuipcClientTest, RequiredSimulatorVersion) {
    struct Case {
        std::uint32_t required;
        std::uint16_t simulator;
        std::uint32_t result;
    };
    for (const Case& c :
         {Case{0, 7, 0}, Case{7, 7, 0}, Case{8, 7, 8}, Case{9, 9, 0}, Case{1, 9, 8}}) {
        SCOPED_TRACE(testing::Message() << c.required << " " << c.simulator);
        FakeTransport transport;
        transport.memory.write(0x3308, c.simulator);
        FsuipcClient fresh(transport, [](const std::string&) {});
        std::uint32_t result = 99;
        EXPECT_EQ(fresh.fsuipcOpen(c.required, result), c.result == 0);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(fresh.fsVersion(), c.simulator);  // only the low 16 bits are kept
        EXPECT_EQ(transport.mappings.empty(), c.result != 0);
    }
}

TEST_F(FsuipcClientTest, OpenFailuresByStep) {
    struct Case {
        const char* name;
        void (*arrange)(FakeTransport&);
        std::uint32_t result;
    };
    const Case cases[] = {
        {"no window", [](FakeTransport& t) { t.windowClasses.clear(); }, 2},
        {"no message", [](FakeTransport& t) { t.registerFails = true; }, 3},
        {"no atom", [](FakeTransport& t) { t.atomFails = true; }, 4},
        {"no mapping", [](FakeTransport& t) { t.mappingFails = true; }, 5},
        {"mapping exists", [](FakeTransport& t) { t.foreignMappings.insert(areaName); }, 5},
        {"no view", [](FakeTransport& t) { t.mapFails = true; }, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTransport transport;
        c.arrange(transport);
        FsuipcClient fresh(transport, [](const std::string&) {});
        std::uint32_t result = 99;
        EXPECT_FALSE(fresh.fsuipcOpen(0, result));
        EXPECT_EQ(result, c.result);
        EXPECT_FALSE(fresh.isOpen());
        EXPECT_EQ(transport.sends, 0);
        // Whatever was found or created is given back, the existing object's handle included.
        EXPECT_TRUE(transport.windows.empty());
        EXPECT_TRUE(transport.atoms.empty());
        EXPECT_TRUE(transport.mappings.empty());
        EXPECT_TRUE(transport.views.empty());
    }
}

TEST_F(FsuipcClientTest, NoWindowLooksForBothClasses) {
    fake.windowClasses.clear();
    std::uint32_t result = 0;
    EXPECT_FALSE(client.fsuipcOpen(0, result));
    EXPECT_EQ(fake.windowsSearched, (std::vector<std::string>{"UIPCMAIN", "FS98MAIN"}));
}

TEST_F(FsuipcClientTest, OpenWhileOpenLeavesTheLinkWorking) {
    open();
    std::uint32_t result = 0;
    EXPECT_FALSE(client.fsuipcOpen(0, result));
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(fake.mappingNames.size(), 1u);
    EXPECT_EQ(client.fsVersion(), 7u);
    std::int32_t altitude = 0;
    fake.memory.write<std::int32_t>(0x0020, 1280);
    EXPECT_TRUE(client.fsuipcRead(0x0020, 4, &altitude, result));
    EXPECT_TRUE(client.fsuipcProcess(result));
    EXPECT_EQ(altitude, 1280);
}

TEST_F(FsuipcClientTest, UnexpectedFailureInOpenShowsItsMessageAndKeepsWhatItMade) {
    // The result code stays as the failure found it: untouched before the first queued read.
    const std::pair<const char*, std::uint32_t> cases[] = {{"mapView", 77},
                                                           {"sendMessageTimeout", 0}};
    for (const auto& [operation, expected] : cases) {
        SCOPED_TRACE(operation);
        FakeTransport transport;
        std::vector<std::string> messages;
        FsuipcClient fresh(transport, [&](const std::string& text) { messages.push_back(text); });
        transport.throwIn = operation;
        std::uint32_t result = 77;
        EXPECT_FALSE(fresh.fsuipcOpen(0, result));
        EXPECT_EQ(result, expected);
        EXPECT_EQ(messages, std::vector<std::string>{"error: FSUIPC Open"});
        EXPECT_EQ(transport.atoms.size(), 1u);
        EXPECT_EQ(transport.mappings.size(), 1u);
        // The caller's close releases it.
        transport.throwIn.clear();
        fresh.fsuipcClose();
        EXPECT_TRUE(transport.atoms.empty());
        EXPECT_TRUE(transport.mappings.empty());
        EXPECT_TRUE(transport.views.empty());
        EXPECT_TRUE(transport.windows.empty());
    }
}

TEST_F(FsuipcClientTest, InitializationReleasesAnOpenLink) {
    open();
    client.fsuipcInitialization();
    expectReleased();
    EXPECT_TRUE(shown.empty());
    open();  // the name is free again
}

TEST_F(FsuipcClientTest, UnexpectedFailureInInitializationShowsItsMessage) {
    open();
    fake.throwIn = "deleteAtom";
    client.fsuipcInitialization();
    EXPECT_EQ(shown, std::vector<std::string>{"error: FSUIPC Initialiizaton"});
    // The other releases still ran.
    EXPECT_FALSE(client.isOpen());
    EXPECT_TRUE(fake.mappings.empty());
    EXPECT_TRUE(fake.views.empty());
    EXPECT_TRUE(fake.windows.empty());
}

TEST_F(FsuipcClientTest, CloseIsSafeAnyTimeAndAnyNumberOfTimes) {
    fake.throwIn = "deleteAtom";  // nothing may be released before an open
    client.fsuipcClose();
    client.fsuipcClose();
    fake.throwIn.clear();
    open();
    client.fsuipcClose();
    expectReleased();
    fake.throwIn = "deleteAtom";  // nor twice
    client.fsuipcClose();
    EXPECT_EQ(client.fsuipcVersion(), 0x39990000);  // the versions outlive the link
    EXPECT_EQ(client.fsVersion(), 7u);
}

TEST_F(FsuipcClientTest, ReopeningUsesTheSameName) {
    fake.processId = 0xABCDEF;
    EXPECT_EQ(client.requestAreaName(), "FSASMLIB:IPC:ABCDEF:1");
    open();
    client.fsuipcClose();
    open();
    EXPECT_EQ(fake.mappingNames,
              (std::vector<std::string>{"FSASMLIB:IPC:ABCDEF:1", "FSASMLIB:IPC:ABCDEF:1"}));
}

TEST_F(FsuipcClientTest, OperationsNeedAnOpenLink) {
    std::uint32_t result = 0;
    std::uint32_t value = 0;
    EXPECT_FALSE(client.fsuipcRead(0x0020, 4, &value, result));
    EXPECT_EQ(result, 9u);
    result = 0;
    EXPECT_FALSE(client.fsuipcWrite(0x0020, 4, &value, result));
    EXPECT_EQ(result, 9u);
    result = 0;
    EXPECT_FALSE(client.fsuipcProcess(result));
    EXPECT_EQ(result, 9u);
    EXPECT_EQ(fake.sends, 0);
}

TEST_F(FsuipcClientTest, WritesAndReadsInOneExchange) {
    open();
    fake.memory.write<std::int32_t>(0x0020, -128);
    const std::int64_t latitude = -1234567890123LL;
    std::int64_t readBack = 0;
    std::int32_t altitude = 0;
    std::uint32_t result = 99;
    ASSERT_TRUE(client.fsuipcWrite(0x0560, 8, &latitude, result));
    ASSERT_TRUE(client.fsuipcRead(0x0020, 4, &altitude, result));
    ASSERT_TRUE(client.fsuipcRead(0x0560, 8, &readBack, result));
    const int sendsBefore = fake.sends;
    ASSERT_TRUE(client.fsuipcProcess(result));
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(fake.sends, sendsBefore + 1);
    EXPECT_EQ(fake.memory.read<std::int64_t>(0x0560), latitude);
    EXPECT_EQ(readBack, latitude);
    EXPECT_EQ(altitude, -128);
}

TEST_F(FsuipcClientTest, ZeroByteReadTakesAHeaderAndCopiesNothing) {
    open();
    std::uint32_t untouched = 0x5A5A5A5A;
    std::uint32_t altitude = 0;
    fake.memory.write<std::uint32_t>(0x0020, 0x12345678);
    std::uint32_t result = 99;
    ASSERT_TRUE(client.fsuipcRead(0x0020, 0, &untouched, result));
    EXPECT_EQ(result, 0u);
    ASSERT_TRUE(client.fsuipcRead(0x0020, 4, &altitude, result));
    ASSERT_TRUE(client.fsuipcProcess(result));
    EXPECT_EQ(field(8), 0u);
    EXPECT_EQ(field(16), 1u);  // the next record follows the 16-byte header
    EXPECT_EQ(untouched, 0x5A5A5A5Au);
    EXPECT_EQ(altitude, 0x12345678u);
}

TEST_F(FsuipcClientTest, CapacityRule) {
    open();
    std::vector<std::uint8_t> big(RequestArea::size);
    struct Case {
        bool read;
        std::uint32_t size;
        bool fits;
    };
    const Case cases[] = {
        {true, 32512 - 4 - 16, true},  {true, 32512 - 4 - 16 + 1, false},
        {false, 32512 - 4 - 12, true}, {false, 32512 - 4 - 12 + 1, false},
        {true, 0xFFFFFFFF, false},     {false, 0xFFFFFFF4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.read << " " << c.size);
        std::uint32_t result = 99;
        const bool queued = c.read ? client.fsuipcRead(0x1000, c.size, big.data(), result)
                                   : client.fsuipcWrite(0x1000, c.size, big.data(), result);
        EXPECT_EQ(queued, c.fits);
        EXPECT_EQ(result, c.fits ? 0u : 15u);
        if (queued) {
            ASSERT_TRUE(client.fsuipcProcess(result));
        }
    }
}

TEST_F(FsuipcClientTest, RefusedRequestLeavesEarlierOnesQueued) {
    open();
    fake.memory.write<std::uint32_t>(0x0020, 4242);
    std::uint32_t altitude = 0;
    std::vector<std::uint8_t> filler(20000);
    std::uint32_t result = 99;
    ASSERT_TRUE(client.fsuipcRead(0x0020, 4, &altitude, result));
    ASSERT_TRUE(client.fsuipcRead(0x1000, 20000, filler.data(), result));
    EXPECT_FALSE(client.fsuipcRead(0x1000, 20000, filler.data(), result));
    EXPECT_EQ(result, 15u);
    EXPECT_FALSE(client.fsuipcWrite(0x1000, 20000, filler.data(), result));
    EXPECT_EQ(result, 15u);
    ASSERT_TRUE(client.fsuipcProcess(result));
    EXPECT_EQ(altitude, 4242u);
}

TEST_F(FsuipcClientTest, ProcessWithNothingQueuedSendsNothing) {
    open();
    const int sendsBefore = fake.sends;
    std::uint32_t result = 0;
    EXPECT_FALSE(client.fsuipcProcess(result));
    EXPECT_EQ(result, 10u);
    EXPECT_EQ(fake.sends, sendsBefore);
}

TEST_F(FsuipcClientTest, ReplyOtherThanOneDropsTheQueue) {
    open();
    fake.memory.write<std::uint32_t>(0x0020, 1);
    fake.memory.write<std::uint32_t>(0x0024, 2);
    std::uint32_t first = 7;
    std::uint32_t second = 7;
    std::uint32_t result = 0;
    for (std::uintptr_t reply : {0u, 2u}) {
        fake.reply = reply;
        ASSERT_TRUE(client.fsuipcRead(0x0020, 4, &first, result));
        EXPECT_FALSE(client.fsuipcProcess(result));
        EXPECT_EQ(result, 13u);
        EXPECT_EQ(first, 7u);
    }
    fake.reply = 1;
    ASSERT_TRUE(client.fsuipcRead(0x0024, 4, &second, result));
    ASSERT_TRUE(client.fsuipcProcess(result));
    EXPECT_EQ(second, 2u);
    EXPECT_EQ(first, 7u);
    EXPECT_EQ(field(4), 0x0024u);  // the new exchange starts at the area's start
    EXPECT_EQ(field(20), 0u);
}

TEST_F(FsuipcClientTest, SendsUpToTenTimes) {
    struct Case {
        const char* name;
        std::vector<Send> outcomes;
        bool done;
        std::uint32_t result;
        int sends;
    };
    const std::uint32_t unset = 99;
    std::vector<Case> cases = {
        {"ten time-outs", std::vector<Send>(10, Send::TimeOut), false, 11, 10},
        {"ten failures", std::vector<Send>(10, Send::Fail), false, 12, 10},
        {"nine time-outs, then delivered", std::vector<Send>(9, Send::TimeOut), true, 0, 10},
        {"one failure, then delivered", {Send::Fail}, true, 0, 2},
    };
    std::vector<Send> mixed(9, Send::Fail);
    mixed.push_back(Send::TimeOut);
    cases.push_back({"last error of the tenth send decides", mixed, false, 11, 10});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTransport transport;
        FsuipcClient fresh(transport, [](const std::string&) {});
        std::uint32_t result = unset;
        ASSERT_TRUE(fresh.fsuipcOpen(0, result));
        transport.memory.write<std::uint32_t>(0x0020, 33);
        transport.sends = 0;
        transport.sleeps.clear();
        transport.sendOutcomes = c.outcomes;
        std::uint32_t value = 0;
        ASSERT_TRUE(fresh.fsuipcRead(0x0020, 4, &value, result));
        result = unset;
        EXPECT_EQ(fresh.fsuipcProcess(result), c.done);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(value, c.done ? 33u : 0u);
        EXPECT_EQ(transport.sends, c.sends);
        EXPECT_EQ(transport.sleeps, std::vector<std::uint32_t>(c.sends - 1, 100));
        EXPECT_EQ(transport.lastTimeoutMs, 2000u);
        // The queue was dropped either way.
        EXPECT_FALSE(fresh.fsuipcProcess(result));
        EXPECT_EQ(result, 10u);
    }
}

TEST_F(FsuipcClientTest, FailedExchangeInOpenClosesWithItsResult) {
    fake.failSends(10, Send::Fail);
    std::uint32_t result = 0;
    EXPECT_FALSE(client.fsuipcOpen(0, result));
    EXPECT_EQ(result, 12u);
    expectReleased();
}

// A peer that rewrites the records must never make the client copy outside the queued reads.
TEST_F(FsuipcClientTest, UntrustedRecordsAreBounded) {
    struct Reads {
        std::uint32_t first = 0;
        std::uint32_t guard1 = 0xAAAAAAAA;
        std::uint64_t second = 0;
        std::uint32_t guard2 = 0xBBBBBBBB;
        std::uint32_t third = 0;
    };
    struct Case {
        const char* name;
        // Rewrites the records at positions 0, 20 and 44.
        void (*rewrite)(RequestArea&);
        bool done;
        std::uint32_t first, third;
        std::uint64_t second;
    };
    const Case cases[] = {
        {"count runs past the end", [](RequestArea& a) { a.setCount(20, 0x7FFFFFF0); }, false, 1, 0,
         0},
        {"count of the whole area", [](RequestArea& a) { a.setCount(20, RequestArea::size); },
         false, 1, 0, 0},
        {"count one past the end",
         [](RequestArea& a) { a.setCount(20, RequestArea::size - 20 - 16 + 1); }, false, 1, 0, 0},
        {"unknown identifier", [](RequestArea& a) { a.setIdentifier(20, 7); }, false, 1, 0, 0},
        {"identifier in the high bits only", [](RequestArea& a) { a.setIdentifier(20, 0x10001); },
         true, 1, 3, 2},
        {"tag of a foreign address", [](RequestArea& a) { a.setTag(44, 0xDEADBEEF); }, true, 1, 0,
         2},
        {"tag of a smaller read", [](RequestArea& a) { a.setTag(20, 1); }, true, 2, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTransport transport;
        FsuipcClient fresh(transport, [](const std::string&) {});
        std::uint32_t result = 99;
        ASSERT_TRUE(fresh.fsuipcOpen(0, result));
        transport.memory.write<std::uint32_t>(0x20, 1);
        transport.memory.write<std::uint64_t>(0x30, 2);
        transport.memory.write<std::uint32_t>(0x40, 3);
        transport.onExchange = c.rewrite;
        Reads reads;
        ASSERT_TRUE(fresh.fsuipcRead(0x20, 4, &reads.first, result));
        ASSERT_TRUE(fresh.fsuipcRead(0x30, 8, &reads.second, result));
        ASSERT_TRUE(fresh.fsuipcRead(0x40, 4, &reads.third, result));
        result = 99;
        EXPECT_EQ(fresh.fsuipcProcess(result), c.done);
        EXPECT_EQ(result, c.done ? 0u : 13u);
        EXPECT_EQ(reads.first, c.first);
        EXPECT_EQ(reads.second, c.second);
        EXPECT_EQ(reads.third, c.third);
        EXPECT_EQ(reads.guard1, 0xAAAAAAAAu);
        EXPECT_EQ(reads.guard2, 0xBBBBBBBBu);
    }
}

TEST_F(FsuipcClientTest, DestructorReleasesTheLink) {
    {
        FsuipcClient scoped(fake, [](const std::string&) {});
        std::uint32_t result = 0;
        ASSERT_TRUE(scoped.fsuipcOpen(0, result));
        EXPECT_EQ(fake.mappings.size(), 1u);
    }
    expectReleased();
}

}  // namespace
}  // namespace tl

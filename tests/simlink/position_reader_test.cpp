#include "simlink/position_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/fake_transport.h"
#include "tests/support/fake_window.h"

namespace tl {
namespace {

using test::FakeTransport;

std::int64_t latitudeRaw(double degrees) {
    return std::llround(degrees * 42957189152768000.0 / 90);
}
std::int64_t longitudeRaw(double degrees) {
    return std::llround(degrees * 18446744073709551616.0 / 360);
}

// A window whose label `failing` cannot be set.
class RefusingWindow : public test::FakeWindow {
public:
    void setText(std::string_view control, std::string_view text) override {
        if (control == failing) {
            throw Failure(FailureCode::Overflow);
        }
        FakeWindow::setText(control, text);
    }
    std::string failing;
};

struct ReaderRig {
    explicit ReaderRig(bool connect = true) {
        link.composeMessages();
        if (connect) {
            link.connectLink();
        }
        window.messages.clear();
        window.textLog.clear();
    }

    void place(double lat, double lon, std::int32_t ground) {
        fake.memory.write<std::int64_t>(SimulatorMemory::latitudeOffset, latitudeRaw(lat));
        fake.memory.write<std::int64_t>(SimulatorMemory::longitudeOffset, longitudeRaw(lon));
        fake.memory.write<std::int32_t>(SimulatorMemory::groundAltitudeOffset, ground);
    }

    FakeTransport fake;
    RefusingWindow window;
    FsuipcClient client{fake, [this](const std::string& text) { window.showMessage(text); }};
    LinkControl link{client, window};
    AircraftPosition position;
    NumberText numbers;
    ErrorReporter errors{window};
    PositionReader reader{client, link, position, window, numbers, errors};
};

TEST(PositionReaderTest, OneExchangeSetsThePositionAndEveryLabelInOrder) {
    const struct {
        double lat, lon;
        std::int32_t ground;
        bool degreesMinutes;
        std::vector<std::string> labels;
    } cases[] = {
        {47.46,
         8.55,
         1280,
         false,
         {"lblGroundAlt=5", "lblGroundAltM=5, ", "lblGroundAltMm=0", "lblLat=47.4600000000000",
          "lblLon=8.5500000000000", "lblAreaPtX=174,", "lblAreaPtY=21"}},
        {-33.9,
         151.2,
         -128,
         false,
         {"lblGroundAlt=-0.5", "lblGroundAltM=0, ", "lblGroundAltMm=-64",
          "lblLat=-33.9000000000000", "lblLon=151.2000000000000", "lblAreaPtX=235,",
          "lblAreaPtY=167"}},
        {0,
         0,
         255,
         false,
         {"lblGroundAlt=0.99609375", "lblGroundAltM=1, ", "lblGroundAltMm=0",
          "lblLat=0.0000000000000", "lblLon=0.0000000000000", "lblAreaPtX=0,", "lblAreaPtY=0"}},
        {-33.9,
         -0.5,
         256,
         true,
         {"lblGroundAlt=1", "lblGroundAltM=1, ", "lblGroundAltMm=0", "lblLat=-33  54.000",
          "lblLon=-0  30.000", "lblAreaPtX=221,", "lblAreaPtY=167"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
        ReaderRig rig;
        rig.window.setChecked("mnuCoords", c.degreesMinutes);
        rig.place(c.lat, c.lon, c.ground);
        const int sendsBefore = rig.fake.sends;
        rig.reader.getPosition();

        EXPECT_EQ(rig.fake.sends - sendsBefore, 1);
        EXPECT_NEAR(rig.position.planeLat, c.lat, 1e-12);
        EXPECT_NEAR(rig.position.planeLon, c.lon, 1e-12);
        EXPECT_EQ(std::signbit(rig.position.planeLat), std::signbit(c.lat));
        EXPECT_EQ(rig.window.textLog, c.labels);
        EXPECT_TRUE(rig.window.messages.empty());
        EXPECT_EQ(rig.link.linkState, LinkControl::Polling);
    }
}

TEST(PositionReaderTest, ReadsAreQueuedGroundLongitudeLatitude) {
    ReaderRig rig;
    std::vector<std::uint32_t> offsets;
    rig.fake.onExchange = [&](RequestArea& area) {
        area.scan(0, [&](const RequestArea::Record& record) {
            EXPECT_EQ(record.kind, RequestArea::readRecord);
            offsets.push_back(record.offset);
        });
    };
    rig.reader.getPosition();
    EXPECT_EQ(offsets, (std::vector<std::uint32_t>{0x0020, 0x0568, 0x0560}));
}

TEST(PositionReaderTest, AnUnusableLinkIsDroppedAndThePositionKept) {
    const struct {
        const char* what;
        void (*breakLink)(ReaderRig&);
    } cases[] = {
        {"not connected", [](ReaderRig& rig) { rig.client.fsuipcClose(); }},
        {"delivery fails",
         [](ReaderRig& rig) {
             rig.fake.failSends(FsuipcClient::maxSends, FakeTransport::Send::Fail);
         }},
        {"time-out",
         [](ReaderRig& rig) {
             rig.fake.failSends(FsuipcClient::maxSends, FakeTransport::Send::TimeOut);
         }},
        {"records refused", [](ReaderRig& rig) { rig.fake.reply = 0; }},
        {"simulator gone",
         [](ReaderRig& rig) {
             rig.fake.windowClasses.clear();
             rig.fake.windows.clear();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReaderRig rig;
        rig.place(47.46, 8.55, 1280);
        rig.reader.getPosition();
        rig.window.textLog.clear();

        rig.place(-10, -20, 0);
        c.breakLink(rig);
        rig.reader.getPosition();

        ASSERT_EQ(rig.window.messages.size(), 1u);
        EXPECT_EQ(rig.window.messages[0], rig.link.msgConnectLost);
        EXPECT_EQ(rig.link.linkState, LinkControl::NotConnected);
        EXPECT_FALSE(rig.link.fsConnected);
        EXPECT_FALSE(rig.client.isOpen());
        EXPECT_EQ(rig.window.text("cmdStatus"), "Connect");
        EXPECT_EQ(rig.window.textLog, std::vector<std::string>{"cmdStatus=Connect"});
        EXPECT_NEAR(rig.position.planeLat, 47.46, 1e-12);
        EXPECT_NEAR(rig.position.planeLon, 8.55, 1e-12);
        EXPECT_EQ(rig.window.text("lblLat"), "47.4600000000000");
    }
}

TEST(PositionReaderTest, ReadingWhileNeverConnectedShowsTheLostLinkEveryTime) {
    ReaderRig rig(false);
    rig.reader.getPosition();
    rig.reader.getPosition();
    EXPECT_EQ(rig.window.messages,
              (std::vector<std::string>{rig.link.msgConnectLost, rig.link.msgConnectLost}));
    EXPECT_EQ(rig.link.linkState, LinkControl::NotConnected);
    EXPECT_EQ(rig.fake.sends, 0);
    EXPECT_EQ(rig.position.planeLat, 0);
}

TEST(PositionReaderTest, AnUnexpectedFailureIsReportedWithTheRawGroundReading) {
    ReaderRig rig;
    rig.place(47.46, 8.55, 1280);
    rig.reader.getPosition();
    rig.window.textLog.clear();

    rig.place(-33.9, 151.2, -128);
    rig.window.failing = "lblLat";
    rig.reader.getPosition();

    EXPECT_EQ(rig.window.messages,
              (std::vector<std::string>{
                  ErrorReporter::message("getPosition", Failure(FailureCode::Overflow)),
                  "Raw: 429496.7168  NegValue: 429496.7296"}));
    EXPECT_EQ(
        rig.window.textLog,
        (std::vector<std::string>{"lblGroundAlt=-0.5", "lblGroundAltM=0, ", "lblGroundAltMm=-64"}));
    EXPECT_EQ(rig.window.text("lblAreaPtX"), "174,");
    // The exchange succeeded: both coordinates are the new ones, never a mix.
    EXPECT_NEAR(rig.position.planeLat, -33.9, 1e-12);
    EXPECT_NEAR(rig.position.planeLon, 151.2, 1e-12);
    EXPECT_EQ(rig.link.linkState, LinkControl::Polling);
}

TEST(PositionReaderTest, AFailureBeforeAnythingWasReadShowsRawZero) {
    ReaderRig rig;
    rig.numbers = NumberText(',');
    rig.place(47.46, 8.55, 1280);
    rig.fake.throwIn = "sendMessageTimeout";
    rig.reader.getPosition();

    ASSERT_EQ(rig.window.messages.size(), 2u);
    EXPECT_NE(rig.window.messages[0].find("procedure getPosition"), std::string::npos);
    EXPECT_EQ(rig.window.messages[1], "Raw: 0  NegValue: 429496,7296");
    EXPECT_TRUE(rig.window.textLog.empty());
    EXPECT_EQ(rig.position.planeLat, 0);
}

}  // namespace
}  // namespace tl

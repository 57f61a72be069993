#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/process_launcher.h"
#include "program/terralevel.h"
#include "tests/durability/drill_plan.h"
#include "tests/support/fake_event_pump.h"
#include "tests/support/fake_transport.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"

namespace tl::durability {

// The capturing side of the drill: Terralevel with every real handler, on the window and map
// fakes and the in-process simulator, run from Main in `folder`. Each turn of the main loop
// presses New Area when the plan opens an area, then Add Vertex, and once Add Vertex has returned
// writes a DrillReport line to `reportFd`; then it moves the aircraft to the next vertex's place,
// which the next poll reads. It goes on until it is killed.
class CaptureSession {
public:
    CaptureSession(const std::filesystem::path& folder, const DrillPlan& plan, int reportFd);

    CaptureSession(const CaptureSession&) = delete;
    CaptureSession& operator=(const CaptureSession&) = delete;

    // Returns only when the drill cannot go on (the file is full, a command failed, the report
    // cannot be written), with the reason.
    std::string run();

private:
    // A build is never started here.
    class NoLauncher : public ProcessLauncher {
    public:
        void startBatch(const std::filesystem::path&, const std::filesystem::path&) override;
    };

    void start();
    void turn();
    void press();
    bool openAreaIfDue();
    bool report();
    void placeAircraft();
    void stop(std::string why);

    const DrillPlan& plan_;
    const std::filesystem::path file_;
    const int reportFd_;

    test::FakeWindow window_;
    test::RecordingSurface surface_;
    test::FakeEventPump pump_;
    test::FakeTransport transport_;
    NoLauncher launcher_;
    Terralevel program_;

    std::int64_t next_ = 1;
    std::size_t messagesSeen_ = 0;
    bool busy_ = false;
    std::string stopped_;
};

}  // namespace tl::durability

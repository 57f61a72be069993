#include "tests/durability/capture_session.h"

#include <unistd.h>

#include <cerrno>

#include "areas/file_names.h"
#include "common/failure.h"
#include "tests/durability/drill_report.h"

namespace tl::durability {

void CaptureSession::NoLauncher::startBatch(const std::filesystem::path&,
                                            const std::filesystem::path&) {
    throw Failure(FailureCode::PathFileAccess, "the capture drill starts no build");
}

CaptureSession::CaptureSession(const std::filesystem::path& folder, const DrillPlan& plan,
                               int reportFd)
    : plan_(plan),
      file_(folder / files::areaFile),
      reportFd_(reportFd),
      program_(window_, surface_, pump_, launcher_, transport_, ProgramFolder(folder),
               NumberText('.')) {
    window_.onShow = [this] { start(); };
    pump_.onYield = [this] { turn(); };
}

std::string CaptureSession::run() {
    program_.Main();
    return stopped_;
}

// The window's load: the area file is read, and the aircraft waits at the place of the vertex
// that continues it, for the connect's first reading.
void CaptureSession::start() {
    program_.Form_Load();
    // Missing flatten.ini and Tilebound.dat are reported during the load; later messages are not
    // expected.
    messagesSeen_ = window_.messages.size();
    const AreaTable& areas = program_.areas();
    next_ = plan_.nextVertex(areas.areaCount, areas.vertexCount);
    placeAircraft();
}

// Redraws yield between outline edges, so turns also come inside a redraw: inside our own New
// Area, and inside the connect's redraw. A click comes only once the program has read the
// aircraft at the next vertex's place, and never inside a command of ours.
void CaptureSession::turn() {
    if (busy_ || !stopped_.empty()) {
        return;
    }
    const LinkControl& link = program_.link();
    if (link.appRunning && !link.fsConnected) {
        return stop("the link to the simulator is down");
    }
    const AircraftPosition due = plan_.reading(next_);
    const AircraftPosition& read = program_.aircraft();
    if (read.planeLat != due.planeLat || read.planeLon != due.planeLon) {
        return;
    }
    busy_ = true;
    press();
    busy_ = false;
}

void CaptureSession::press() {
    if (next_ > plan_.capacity()) {
        return stop("flatten.txt is full at " + std::to_string(next_ - 1) + " vertices");
    }
    if (!openAreaIfDue()) {
        return;
    }
    const std::int32_t before = program_.areas().vertexCount;
    program_.cmdAddVertex_Click();
    if (program_.areas().vertexCount != before + 1 || window_.messages.size() != messagesSeen_) {
        return stop("Add Vertex " + std::to_string(next_) + " failed");
    }
    if (!report()) {
        return;
    }
    ++next_;
    placeAircraft();
}

bool CaptureSession::openAreaIfDue() {
    const int area = plan_.areaOf(next_);
    if (!plan_.opensArea(next_) || program_.areas().areaCount >= area) {
        return true;
    }
    window_.setText("txtArea", plan_.areaName(area));
    window_.setText("txtElevation", plan_.elevation(area));
    program_.cmdAddArea_Click();
    if (program_.areas().areaCount != area || window_.messages.size() != messagesSeen_) {
        stop("New Area " + std::to_string(area) + " failed");
        return false;
    }
    return true;
}

bool CaptureSession::report() {
    std::error_code error;
    const auto size = std::filesystem::file_size(file_, error);
    if (error) {
        stop("cannot stat " + file_.string() + ": " + error.message());
        return false;
    }
    const std::string line = DrillReport{next_, size}.line();
    ssize_t written = 0;
    do {
        written = ::write(reportFd_, line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(line.size())) {
        stop("cannot write the report of vertex " + std::to_string(next_));
        return false;
    }
    return true;
}

void CaptureSession::placeAircraft() {
    sim::Aircraft::standing(plan_.place(next_)).publish(transport_.memory, 0);
}

void CaptureSession::stop(std::string why) {
    if (window_.messages.size() > messagesSeen_) {
        why += ": " + window_.messages.back();
    }
    stopped_ = std::move(why);
    program_.cmdExit_Click();
}

}  // namespace tl::durability

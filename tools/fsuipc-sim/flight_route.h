#pragma once

#include <istream>
#include <string>
#include <vector>

namespace tl::sim {

// A place on the aircraft's way: decimal degrees, north and east positive, and the ground's
// elevation in metres.
struct Fix {
    double latitude = 0;
    double longitude = 0;
    double groundMetres = 0;
};

// A closed circuit of fixes, flown from the first to the last and back to the first.
class FlightRoute {
public:
    // A circuit of a few kilometres around 47.46 N 8.55 E.
    static FlightRoute demo();
    // Lines "lat lon ground-metres"; blank lines and lines starting with "#" are skipped. Throws
    // std::runtime_error naming the line of the first bad one.
    static FlightRoute parse(std::istream& text);
    static FlightRoute load(const std::string& path);

    // Where the aircraft is after flying `metres` from the first fix, going round as often as
    // needed; positions and ground are interpolated along each leg.
    Fix at(double metres) const;
    // The length of the whole circuit in metres.
    double length() const { return legStarts_.back(); }
    const std::vector<Fix>& fixes() const { return fixes_; }

private:
    explicit FlightRoute(std::vector<Fix> fixes);

    std::vector<Fix> fixes_;
    // The distance from the first fix to the start of each leg; the last entry is the length.
    std::vector<double> legStarts_;
};

}  // namespace tl::sim

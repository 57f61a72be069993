#pragma once

#include <cstdint>
#include <string>

namespace tl::sim {

// The request area of one connection's client, kept mapped between messages: mapping it anew for
// every message costs more than the rest of an exchange. It is opened again when the client asks
// under another name or when the object was removed (a new one may have the same name).
class MappedRequestArea {
public:
    MappedRequestArea() = default;
    ~MappedRequestArea() { release(); }

    MappedRequestArea(const MappedRequestArea&) = delete;
    MappedRequestArea& operator=(const MappedRequestArea&) = delete;

    // The area of the object "/" + `name`, or nullptr (with `error` set) when it cannot be used.
    std::uint8_t* open(const std::string& name, int& error);

private:
    void release();

    std::string name_;
    int fd_ = -1;
    std::uint8_t* view_ = nullptr;
};

}  // namespace tl::sim

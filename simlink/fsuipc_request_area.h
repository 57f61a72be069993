#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace tl {

// The shared request area: read and write records laid back to back from its start, ended by 4 zero
// bytes. Every access stays inside the area, whatever another process wrote into it.
class RequestArea {
public:
    static constexpr std::uint32_t size = 0x8000;
    // Queued records plus the end mark may use this much of the area.
    static constexpr std::uint32_t capacity = 0x7F00;
    static constexpr std::uint32_t readHeaderSize = 16;
    static constexpr std::uint32_t writeHeaderSize = 12;
    static constexpr std::uint32_t endMarkSize = 4;

    static constexpr std::uint16_t endRecord = 0;
    static constexpr std::uint16_t readRecord = 1;
    static constexpr std::uint16_t writeRecord = 2;

    // How a scan ended.
    enum class ScanEnd { EndMark, UnknownRecord, PastEnd };

    // One record as it stands in the area. `data` lies inside the area; `tag` is the destination
    // field of a read (0 for a write).
    struct Record {
        std::uint32_t position;
        std::uint16_t kind;
        std::uint32_t offset;
        std::uint32_t tag;
        std::span<std::uint8_t> data;
    };

    explicit RequestArea(std::uint8_t* view) : bytes_(view, size) {}

    // Whether `queued` bytes of records plus a record of `headerSize` + `dataSize` bytes plus the
    // end mark fit in the capacity.
    static bool fits(std::uint32_t queued, std::uint32_t headerSize, std::uint32_t dataSize);

    // Append a record at `position`, which must leave room for it; each returns the position after
    // it.
    std::uint32_t putRead(std::uint32_t position, std::uint32_t offset, std::uint32_t count,
                          std::uint32_t tag);
    std::uint32_t putWrite(std::uint32_t position, std::uint32_t offset, std::uint32_t count,
                           const void* source);
    void putEnd(std::uint32_t position);

    // Calls `visit` for each read and write record from `start` on, until the end mark, a record of
    // another kind, or a record (header or data) that would run past the area's end.
    ScanEnd scan(std::uint32_t start, const std::function<void(const Record&)>& visit);

    // Rewrites header fields of the record at `position` (fault injection by stand-in servers).
    void setIdentifier(std::uint32_t position, std::uint32_t identifier);
    void setCount(std::uint32_t position, std::uint32_t count);
    void setTag(std::uint32_t position, std::uint32_t tag);

private:
    void requireRoom(std::uint32_t position, std::uint64_t length) const;

    std::span<std::uint8_t> bytes_;
};

}  // namespace tl

#include "simlink/fsuipc_request_area.h"

#include <algorithm>
#include <cstring>

#include "common/failure.h"
#include "simlink/fsuipc_byte_order.h"

namespace tl {

namespace {
constexpr std::uint32_t identifierField = 0;
constexpr std::uint32_t offsetField = 4;
constexpr std::uint32_t countField = 8;
constexpr std::uint32_t tagField = 12;
}  // namespace

bool RequestArea::fits(std::uint32_t queued, std::uint32_t headerSize, std::uint32_t dataSize) {
    const std::uint64_t total = std::uint64_t{queued} + endMarkSize + headerSize + dataSize;
    return total <= capacity;
}

void RequestArea::requireRoom(std::uint32_t position, std::uint64_t length) const {
    if (position + length > size) {
        throw Failure(FailureCode::IndexOutOfRange,
                      "request record past the end of the request area");
    }
}

std::uint32_t RequestArea::putRead(std::uint32_t position, std::uint32_t offset,
                                   std::uint32_t count, std::uint32_t tag) {
    requireRoom(position, std::uint64_t{readHeaderSize} + count);
    std::uint8_t* record = bytes_.data() + position;
    storeLittleEndian<std::uint32_t>(record + identifierField, readRecord);
    storeLittleEndian(record + offsetField, offset);
    storeLittleEndian(record + countField, count);
    storeLittleEndian(record + tagField, tag);
    std::fill_n(record + readHeaderSize, count, std::uint8_t{0});
    return position + readHeaderSize + count;
}

std::uint32_t RequestArea::putWrite(std::uint32_t position, std::uint32_t offset,
                                    std::uint32_t count, const void* source) {
    requireRoom(position, std::uint64_t{writeHeaderSize} + count);
    if (count != 0 && source == nullptr) {
        throw Failure(FailureCode::InvalidCall, "write request without data");
    }
    std::uint8_t* record = bytes_.data() + position;
    storeLittleEndian<std::uint32_t>(record + identifierField, writeRecord);
    storeLittleEndian(record + offsetField, offset);
    storeLittleEndian(record + countField, count);
    if (count != 0) {
        std::memcpy(record + writeHeaderSize, source, count);
    }
    return position + writeHeaderSize + count;
}

void RequestArea::putEnd(std::uint32_t position) {
    requireRoom(position, endMarkSize);
    storeLittleEndian<std::uint32_t>(bytes_.data() + position, endRecord);
}

RequestArea::ScanEnd RequestArea::scan(std::uint32_t start,
                                       const std::function<void(const Record&)>& visit) {
    std::uint64_t position = start;
    while (true) {
        if (position + endMarkSize > size) {
            return ScanEnd::PastEnd;
        }
        // Each field is read once into a local, so that a peer changing the area meanwhile cannot
        // move the bounds that were checked.
        const std::uint8_t* record = bytes_.data() + position;
        const auto kind = static_cast<std::uint16_t>(
            loadLittleEndian<std::uint32_t>(record + identifierField) & 0xFFFF);
        if (kind == endRecord) {
            return ScanEnd::EndMark;
        }
        if (kind != readRecord && kind != writeRecord) {
            return ScanEnd::UnknownRecord;
        }
        const std::uint32_t header = kind == readRecord ? readHeaderSize : writeHeaderSize;
        if (position + header > size) {
            return ScanEnd::PastEnd;
        }
        const auto offset = loadLittleEndian<std::uint32_t>(record + offsetField);
        const auto count = loadLittleEndian<std::uint32_t>(record + countField);
        const auto tag =
            kind == readRecord ? loadLittleEndian<std::uint32_t>(record + tagField) : 0;
        if (position + header + count > size) {
            return ScanEnd::PastEnd;
        }
        visit(Record{static_cast<std::uint32_t>(position), kind, offset, tag,
                     bytes_.subspan(static_cast<std::size_t>(position + header), count)});
        position += header + count;
    }
}

void RequestArea::setIdentifier(std::uint32_t position, std::uint32_t identifier) {
    requireRoom(position, 4);
    storeLittleEndian(bytes_.data() + position + identifierField, identifier);
}

void RequestArea::setCount(std::uint32_t position, std::uint32_t count) {
    requireRoom(position, countField + 4);
    storeLittleEndian(bytes_.data() + position + countField, count);
}

void RequestArea::setTag(std::uint32_t position, std::uint32_t tag) {
    requireRoom(position, tagField + 4);
    storeLittleEndian(bytes_.data() + position + tagField, tag);
}

}  // namespace tl

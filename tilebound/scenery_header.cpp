#include "tilebound/scenery_header.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "common/failure.h"

namespace tl {
namespace {

constexpr std::array<std::uint8_t, 8> newerStart{0x01, 0x02, 0x92, 0x19, 0x38, 0x00, 0x00, 0x00};
constexpr std::array<std::uint8_t, 4> newerMarkAt16{0x03, 0x18, 0x05, 0x08};

std::int32_t int32At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t u = std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
                            std::uint32_t{bytes[offset + 2]} << 16 |
                            std::uint32_t{bytes[offset + 3]} << 24;
    return static_cast<std::int32_t>(u);
}

// The newer format: its first eight bytes, and its mark at offset 16 when the bytes reach it.
bool isNewerFormat(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < newerStart.size() ||
        !std::equal(newerStart.begin(), newerStart.end(), bytes.begin())) {
        return false;
    }
    return bytes.size() < 16 + newerMarkAt16.size() ||
           std::equal(newerMarkAt16.begin(), newerMarkAt16.end(), bytes.begin() + 16);
}

}  // namespace

float SceneryHeader::latitude(std::int32_t units) {
    return static_cast<float>(units / (40007000.0 / 4) * 90);
}

float SceneryHeader::longitude(std::int32_t units) {
    return static_cast<float>(units / 4294967296.0 * 360);
}

SceneryBounds SceneryHeader::parse(std::span<const std::uint8_t> bytes) {
    if (isNewerFormat(bytes)) {
        throw Failure(static_cast<std::int32_t>(FailureCode::TypeMismatch),
                      "a scenery file of the newer BGL format, whose header holds no bounds");
    }
    if (bytes.size() < size) {
        throw Failure(static_cast<std::int32_t>(FailureCode::InputPastEnd),
                      "only " + std::to_string(bytes.size()) + " bytes, shorter than the " +
                          std::to_string(size) + "-byte scenery header");
    }
    return {latitude(int32At(bytes, 2)), latitude(int32At(bytes, 6)), longitude(int32At(bytes, 10)),
            longitude(int32At(bytes, 14))};
}

SceneryBounds SceneryHeader::read(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        throw Failure(FailureCode::FileNotFound);
    }
    std::ifstream in(path, std::ios::binary);
    if (!std::filesystem::is_regular_file(status) || !in) {
        throw Failure(FailureCode::PathFileAccess);
    }
    std::array<char, bytesLooked> buffer{};
    in.read(buffer.data(), buffer.size());
    if (in.bad()) {
        throw Failure(FailureCode::PathFileAccess);
    }
    std::array<std::uint8_t, bytesLooked> bytes{};
    const auto count = static_cast<std::size_t>(in.gcount());
    std::transform(buffer.begin(), buffer.begin() + count, bytes.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return parse(std::span(bytes.data(), count));
}

}  // namespace tl

#include "simlink/posix/ipc_frame.h"

#include <gtest/gtest.h>

#include <string>

namespace tl {
namespace {

TEST(IpcFrame, RequestRoundTripAndRefusals) {
    IpcFrame::Request request;
    request.sequence = 0x01020304;
    request.message = 0xFB60;
    request.wParam = -16384;
    request.lParam = 0;
    request.atomName = "FSASMLIB:IPC:1F4:1";
    auto bytes = IpcFrame::encode(request);
    EXPECT_EQ(bytes[4], 0x04);
    EXPECT_EQ(bytes[7], 0x01);
    const auto decoded = IpcFrame::decodeRequest(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->sequence, request.sequence);
    EXPECT_EQ(decoded->message, request.message);
    EXPECT_EQ(decoded->wParam, request.wParam);
    EXPECT_EQ(decoded->atomName, request.atomName);

    // The longest name keeps its terminating NUL; longer ones are cut.
    request.atomName = std::string(70, 'n');
    bytes = IpcFrame::encode(request);
    EXPECT_EQ(IpcFrame::decodeRequest(bytes)->atomName, std::string(59, 'n'));
    bytes[79] = 'n';
    EXPECT_FALSE(IpcFrame::decodeRequest(bytes));
    bytes = IpcFrame::encode(request);
    bytes[3] = 'R';
    EXPECT_FALSE(IpcFrame::decodeRequest(bytes));
}

TEST(IpcFrame, ReplyLayout) {
    const auto bytes = IpcFrame::encode(IpcFrame::Reply{7, 1});
    const std::array<std::uint8_t, 16> expected{'F', 'S', 'I', 'R', 7, 0, 0, 0,
                                                1,   0,   0,   0,   0, 0, 0, 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(IpcFrame::decodeReply(bytes)->result, 1u);
    const auto request = IpcFrame::encode(IpcFrame::Request{});
    EXPECT_FALSE(IpcFrame::decodeReply(std::span(request).first<IpcFrame::replySize>()));
    std::array<std::uint8_t, IpcFrame::requestSize> replyFirst{};
    std::copy(bytes.begin(), bytes.end(), replyFirst.begin());
    EXPECT_FALSE(IpcFrame::decodeRequest(replyFirst));
}

TEST(IpcFrame, MessageNumbersFromFnv1a) {
    EXPECT_EQ(IpcFrame::messageNumber("FSASMLIB:IPC"), 0xFB60u);
    // FNV-1a of "a" is 0xE40C292C; of nothing, the offset basis 0x811C9DC5.
    EXPECT_EQ(IpcFrame::messageNumber("a"), 0xC000u + 0x292C);
    EXPECT_EQ(IpcFrame::messageNumber(""), 0xC000u + 0x1DC5);
}

}  // namespace
}  // namespace tl

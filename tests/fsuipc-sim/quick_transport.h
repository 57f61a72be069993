#pragma once

#include "simlink/posix/posix_transport.h"

namespace tl::test {

// The real transport with every reply awaited a tenth of the time the client asks for, so that ten
// time-outs take a few seconds.
class QuickTransport : public PosixTransport {
public:
    bool sendMessageTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam, std::uint32_t timeoutMs,
                            std::uintptr_t& reply) override {
        return PosixTransport::sendMessageTimeout(window, message, wParam, lParam, timeoutMs / 10,
                                                  reply);
    }
};

}  // namespace tl::test

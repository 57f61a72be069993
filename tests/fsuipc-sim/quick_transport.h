#pragma once

#ifdef _WIN32
#include "simlink/win32/win32_transport.h"
#else
#include "simlink/posix/posix_transport.h"
#endif

namespace tl::test {

#ifdef _WIN32
using PlatformTransport = Win32Transport;
#else
using PlatformTransport = PosixTransport;
#endif

// The real transport of this platform with every reply awaited a tenth of the time the client asks
// for, so that ten time-outs take a few seconds.
class QuickTransport : public PlatformTransport {
public:
    bool sendMessageTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam, std::uint32_t timeoutMs,
                            std::uintptr_t& reply) override {
        return PlatformTransport::sendMessageTimeout(window, message, wParam, lParam,
                                                     timeoutMs / 10, reply);
    }
};

}  // namespace tl::test

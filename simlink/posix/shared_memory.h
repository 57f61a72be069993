#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tl {

// Named POSIX shared memory as the request area uses it: the object "/" + the Win32 name,
// private to this user.
class SharedMemory {
public:
    // "/" + `name`, or "" when the name cannot name an object (empty, too long, or holding "/").
    static std::string objectName(std::string_view name);

    // A new object of `size` bytes, mode 0600; -1 with `error` set (EEXIST when one of that name
    // exists: it is left alone).
    static int createExclusive(const std::string& object, std::size_t size, int& error);
    // An existing object for reading and writing, refused (-1, `error` set) unless it belongs to
    // this user and holds at least `size` bytes.
    static int openExisting(const std::string& object, std::size_t size, int& error);
    // The first `size` bytes mapped shared for reading and writing, or nullptr with `error` set.
    static std::uint8_t* map(int fd, std::size_t size, int& error);
    static void unmap(std::uint8_t* view, std::size_t size);
};

}  // namespace tl

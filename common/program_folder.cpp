#include "common/program_folder.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace tl {

ProgramFolder ProgramFolder::ofExecutable() {
#ifdef _WIN32
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return ProgramFolder(std::filesystem::path(std::wstring(buffer.data(), n)).parent_path());
#else
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return ProgramFolder(std::filesystem::current_path());
    }
    return ProgramFolder(exe.parent_path());
#endif
}

}  // namespace tl

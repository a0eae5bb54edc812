#pragma once

// The address space of the test process, read and limited, for the tests of what the
// program does when memory runs out. Linux only; the sanitizers reserve terabytes of
// address space, so their builds leave these tests out.

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
#define VANTREL_ADDRESS_SPACE_TESTS 1

#include <sys/resource.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace vantrel::testsupport {

// The process's mapped size now, from /proc/self/status.
inline std::uintmax_t MappedBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    std::uintmax_t kib = 0;
    while (status >> key) {
        if (key == "VmSize:" && status >> kib)
            return kib * 1024;
    }
    return 0;
}

// Lets the process map only `extra` bytes more than it has now. The hard limit stays, so
// LiftAddressSpaceLimit can undo it; false when the kernel refuses the limit.
inline bool LimitAddressSpace(std::uintmax_t extra) {
    rlimit space{};
    if (getrlimit(RLIMIT_AS, &space) != 0)
        return false;
    space.rlim_cur = static_cast<rlim_t>(MappedBytes() + extra);
    return setrlimit(RLIMIT_AS, &space) == 0;
}

inline void LiftAddressSpaceLimit() {
    rlimit space{};
    if (getrlimit(RLIMIT_AS, &space) == 0) {
        space.rlim_cur = space.rlim_max;
        setrlimit(RLIMIT_AS, &space);
    }
}

}  // namespace vantrel::testsupport

#endif

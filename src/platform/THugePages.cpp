#include "platform/THugePages.h"

#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

void THugePages::Prefer(char* data, qsizetype size) {
#ifdef Q_OS_LINUX
    constexpr std::uintptr_t kHugePage = 2 << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + static_cast<std::uintptr_t>(size)) & ~(kHugePage - 1);
    // Only a hint: where it is refused, the pages are the usual ones.
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

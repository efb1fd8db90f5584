#include "platform/posix/HeapTuning.h"

#include <cstdint>
#include <cstdlib>  // first: it tells whether this is the GNU C library

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace renamora {

void PrepareHeapForLargeRuns() {
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_HUGEPAGE)
  constexpr std::size_t kHugePage = std::size_t(2) << 20;
  constexpr std::size_t kReserve = std::size_t(96) << 20;
  // Big blocks (listings, the undo pairs) come from the same heap rather than from
  // mappings of their own, which would fault in 4 KB pages again, and nothing is
  // handed back to the system between the steps of a run.
  if (mallopt(M_MMAP_THRESHOLD, 256 << 20) == 0) return;
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, 32 << 20);
  // Grow the heap once by the reserve, mark the new part for huge pages, and give
  // the block back to the allocator: later allocations are carved out of it. Only
  // the pages actually touched take memory.
  const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  void* block = std::malloc(kReserve);
  if (!block) return;
  const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  const std::uintptr_t begin = (before + kHugePage - 1) & ~(kHugePage - 1);
  if (after > begin + kHugePage) ::madvise(reinterpret_cast<void*>(begin), after - begin, MADV_HUGEPAGE);
  std::free(block);
#endif
}

}  // namespace renamora

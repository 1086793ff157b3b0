// The allocation watch of the unit tests that refuse memory: the test program's operator new
// and delete. Included by one source file of a test program only (it defines them).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

// This test program's operator new and delete, over malloc and free (so the sanitizers see
// matching pairs); each block starts with its counted size and the round of the watch that
// counted it. While a test watches, the blocks of at least `least` bytes are numbered from 1,
// their live bytes and the peak of those kept, and the block numbered `refuse` is refused as
// on a machine whose memory has run out.
namespace {
struct AllocationWatch {
  bool on = false;
  std::size_t least = 0;
  int refuse = 0;  // 0: none
  int count = 0;
  std::size_t round = 0, live = 0, peak = 0;
} watch;
constexpr std::size_t kHead = alignof(std::max_align_t);
static_assert(kHead >= 2 * sizeof(std::size_t), "the head holds the size and the round");

void Watch(std::size_t least, int refuse = 0) {
  watch = AllocationWatch{.on = true, .least = least, .refuse = refuse, .round = watch.round + 1};
}

void* Allocate(std::size_t size) {
  const bool watched = watch.on && size >= watch.least;
  if (watched && ++watch.count == watch.refuse) return nullptr;
  auto* block = static_cast<std::size_t*>(std::malloc(kHead + size));
  if (block == nullptr) return nullptr;
  block[0] = watched ? size : 0;
  block[1] = watch.round;
  watch.live += block[0];
  watch.peak = std::max(watch.peak, watch.live);
  return reinterpret_cast<char*>(block) + kHead;
}

void Release(void* at) {
  if (at == nullptr) return;
  auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(at) - kHead);
  if (block[1] == watch.round) watch.live -= block[0];
  std::free(block);
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* at = Allocate(size)) return at;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* at) noexcept { Release(at); }
void operator delete[](void* at) noexcept { Release(at); }
void operator delete(void* at, std::size_t) noexcept { Release(at); }
void operator delete[](void* at, std::size_t) noexcept { Release(at); }
void operator delete(void* at, const std::nothrow_t&) noexcept { Release(at); }
void operator delete[](void* at, const std::nothrow_t&) noexcept { Release(at); }

// A large zero-filled byte block straight from the system. Fresh pages are
// zero already, so nothing is written before the caller fills it, and a
// block of some MiB asks for huge pages (2 MiB), so it is faulted in a few
// steps rather than one per 4 KiB page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include <sys/mman.h>

class ZeroedBuffer {
public:
    explicit ZeroedBuffer(std::size_t size) : size_(size) {
        if (size_ == 0) return;
        if (size_ < kHugeFrom) {
            // Too small to gain from huge pages, which would each be cleared whole.
            mapped_ = size_;
            void* block = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE,
                                 MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (block == MAP_FAILED) throw std::bad_alloc();
            data_ = static_cast<std::uint8_t*>(block);
            return;
        }
        // Whole huge pages, starting on a huge page boundary: the spare
        // space around them is mapped first and given back at once.
        mapped_ = (size_ + kHugePage - 1) / kHugePage * kHugePage;
        void* block = ::mmap(nullptr, mapped_ + kHugePage, PROT_READ | PROT_WRITE,
                             MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(block);
        const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
        if (aligned > start) ::munmap(block, aligned - start);
        if (aligned - start < kHugePage) {
            ::munmap(reinterpret_cast<void*>(aligned + mapped_), kHugePage - (aligned - start));
        }
        data_ = reinterpret_cast<std::uint8_t*>(aligned);
#ifdef MADV_HUGEPAGE
        // Rows of a wide image lie a page apart or more, so with small pages
        // nearly every row copied to it would miss the address cache.
        ::madvise(data_, mapped_, MADV_HUGEPAGE);  // advice only: its result does not matter
#endif
    }
    ~ZeroedBuffer() {
        if (data_ != nullptr) ::munmap(data_, mapped_);
    }
    ZeroedBuffer(ZeroedBuffer&& other) noexcept
        : size_(std::exchange(other.size_, 0)),
          mapped_(std::exchange(other.mapped_, 0)),
          data_(std::exchange(other.data_, nullptr)) {}
    ZeroedBuffer(const ZeroedBuffer&) = delete;
    ZeroedBuffer& operator=(const ZeroedBuffer&) = delete;
    ZeroedBuffer& operator=(ZeroedBuffer&&) = delete;

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
    static constexpr std::size_t kHugeFrom = 2 * kHugePage;  // at most a third cleared in vain

    std::size_t size_;
    std::size_t mapped_ = 0;  // size_ rounded up to whole huge pages
    std::uint8_t* data_ = nullptr;
};

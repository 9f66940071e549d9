// A large zero-filled byte block straight from the system. Fresh pages are
// zero already, so nothing is written before the caller fills it, and the
// block asks for huge pages, so it is faulted in a few steps rather than
// one per 4 KiB page.
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
        void* block = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
        ::madvise(block, size_, MADV_HUGEPAGE);  // advice only: its result does not matter
#endif
        data_ = static_cast<std::uint8_t*>(block);
    }
    ~ZeroedBuffer() {
        if (data_ != nullptr) ::munmap(data_, size_);
    }
    ZeroedBuffer(ZeroedBuffer&& other) noexcept
        : size_(std::exchange(other.size_, 0)), data_(std::exchange(other.data_, nullptr)) {}
    ZeroedBuffer(const ZeroedBuffer&) = delete;
    ZeroedBuffer& operator=(const ZeroedBuffer&) = delete;
    ZeroedBuffer& operator=(ZeroedBuffer&&) = delete;

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    std::size_t size_;
    std::uint8_t* data_ = nullptr;
};

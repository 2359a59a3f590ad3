// A block of memory inside another process. Messages such as LVM_GETITEMTEXTW carry pointers
// that the receiving control dereferences in its own address space, so their records and text
// buffers have to live there.
#pragma once

#include <windows.h>

#include <cstddef>

namespace kavo::e2e {

class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, std::size_t bytes);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    // The address as the other process sees it, offset bytes into the block.
    void* at(std::size_t offset = 0) const;
    // Copies into or out of the block; false when the process refused.
    bool write(std::size_t offset, const void* data, std::size_t bytes);
    bool read(std::size_t offset, void* data, std::size_t bytes) const;

  private:
    HANDLE process_;
    void* base_ = nullptr;
    std::size_t size_;
};

} // namespace kavo::e2e

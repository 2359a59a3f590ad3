#include "tests/e2e/remote_memory.h"

#include <gtest/gtest.h>

namespace kavo::e2e {

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t bytes) : process_(process), size_(bytes) {
    base_ = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    EXPECT_NE(base_, nullptr) << "cannot allocate memory in KAVO, error " << GetLastError();
}

RemoteBuffer::~RemoteBuffer() {
    if (base_ != nullptr) {
        VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    }
}

void* RemoteBuffer::at(std::size_t offset) const {
    return static_cast<char*>(base_) + offset;
}

bool RemoteBuffer::write(std::size_t offset, const void* data, std::size_t bytes) {
    SIZE_T done = 0;
    return base_ != nullptr && offset + bytes <= size_ &&
           WriteProcessMemory(process_, at(offset), data, bytes, &done) && done == bytes;
}

bool RemoteBuffer::read(std::size_t offset, void* data, std::size_t bytes) const {
    SIZE_T done = 0;
    return base_ != nullptr && offset + bytes <= size_ &&
           ReadProcessMemory(process_, at(offset), data, bytes, &done) && done == bytes;
}

} // namespace kavo::e2e

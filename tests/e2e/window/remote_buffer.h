// Memory inside the program under test, for the messages of common controls that carry a pointer
// (list view items, tooltip tools): the pointer must be valid in the program's own address space.
#pragma once

#include <windows.h>

#include <cstddef>
#include <stdexcept>

namespace tassefiche::e2e {

class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size) : process_(process), size_(size) {
    address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (address_ == nullptr) throw std::runtime_error("VirtualAllocEx");
  }
  ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  void* Address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  LPARAM Param(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(Address(offset)); }

  void Write(const void* data, std::size_t size, std::size_t offset = 0) const {
    if (offset + size > size_ ||
        !WriteProcessMemory(process_, Address(offset), data, size, nullptr)) {
      throw std::runtime_error("WriteProcessMemory");
    }
  }
  void Read(void* data, std::size_t size, std::size_t offset = 0) const {
    if (offset + size > size_ ||
        !ReadProcessMemory(process_, Address(offset), data, size, nullptr)) {
      throw std::runtime_error("ReadProcessMemory");
    }
  }

 private:
  HANDLE process_;
  std::size_t size_;
  void* address_ = nullptr;
};

}  // namespace tassefiche::e2e

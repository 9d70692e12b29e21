// COM interface pointers released on every path out.
#pragma once

#include <objbase.h>

namespace zk {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  // Where a call that makes the interface puts it.
  T** put() { return &p_; }
  void** put_void() { return reinterpret_cast<void**>(&p_); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace zk

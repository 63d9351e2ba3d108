#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// Storage for the objects of one store, in chunks that double from a few
// objects to a thousand: a store of thousands of objects then costs a few
// dozen allocations instead of one per object, lies in memory in creation
// order and is given back in a few frees. Destroyed objects' places are
// reused. Objects never move.
template <typename T>
class ObjectPool {
 public:
  ObjectPool() = default;
  ObjectPool(const ObjectPool&) = delete;
  ObjectPool& operator=(const ObjectPool&) = delete;

  // Gives places back to the pool; the owner's unique_ptr calls it.
  struct Deleter {
    ObjectPool* pool;
    void operator()(T* object) const { pool->Destroy(object); }
  };
  using Pointer = std::unique_ptr<T, Deleter>;

  template <typename... Args>
  Pointer Create(Args&&... args) {
    void* place = Take();
    return Pointer(new (place) T(std::forward<Args>(args)...), Deleter{this});
  }

  // Frees every chunk. Only while no object of the pool is alive.
  void Release() {
    chunks_.clear();
    free_ = nullptr;
    used_in_last_ = 0;
  }

 private:
  union Slot {
    Slot* next_free;
    alignas(T) unsigned char storage[sizeof(T)];
  };
  struct Chunk {
    std::unique_ptr<Slot[]> slots;
    std::size_t size;
  };
  static constexpr std::size_t kFirstChunk = 4;
  static constexpr std::size_t kLargestChunk = 1024;

  void* Take() {
    if (free_ != nullptr) {
      Slot* slot = free_;
      free_ = slot->next_free;
      return slot->storage;
    }
    if (chunks_.empty() || used_in_last_ == chunks_.back().size) {
      const std::size_t size =
          chunks_.empty() ? kFirstChunk : std::min(2 * chunks_.back().size, kLargestChunk);
      // Left uninitialised: a place is written when it is taken.
      chunks_.push_back(Chunk{std::unique_ptr<Slot[]>(new Slot[size]), size});
      used_in_last_ = 0;
    }
    return chunks_.back().slots[used_in_last_++].storage;
  }

  void Destroy(T* object) {
    object->~T();
    Slot* slot = reinterpret_cast<Slot*>(object);
    slot->next_free = free_;
    free_ = slot;
  }

  std::vector<Chunk> chunks_;
  std::size_t used_in_last_ = 0;  // places taken in the last chunk
  Slot* free_ = nullptr;          // places of destroyed objects
};

// A growable list of records that grows in whole blocks of 1000.
//
// Records never move once appended (each block is allocated once), so
// appending is linear in the count and a reference to a record stays valid
// while the list grows. The capacity is always a whole multiple of 1000 that
// is at least the count; a list with no records has no storage at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

template <class T>
class JwwList {
 public:
  static constexpr int32_t kBlock = 1000;

  int32_t Count() const { return count_; }
  size_t Capacity() const { return blocks_.size() * kBlock; }

  T& operator[](size_t i) { return blocks_[i / kBlock][i % kBlock]; }
  const T& operator[](size_t i) const {
    return blocks_[i / kBlock][i % kBlock];
  }

  /// Appends a zeroed (value-initialised) record and returns it.
  T& Append() {
    if (count_ % kBlock == 0) blocks_.emplace_back(new T[kBlock]());
    ++count_;
    return (*this)[count_ - 1];
  }

  /// Drops the records from `count` on (at most Count()): appended again,
  /// they are zeroed records, and blocks left without records are released.
  void Truncate(int32_t count) noexcept {
    for (int32_t i = count; i < count_; ++i) (*this)[i] = T();
    blocks_.erase(blocks_.begin() + (count + kBlock - 1) / kBlock,
                  blocks_.end());
    count_ = count;
  }

  /// Releases the storage but leaves the count as it is (the model's free
  /// routine keeps counts; nothing reads the records afterwards).
  void ReleaseStorage() {
    blocks_.clear();
    blocks_.shrink_to_fit();
  }

 private:
  std::vector<std::unique_ptr<T[]>> blocks_;
  int32_t count_ = 0;
};

#pragma once
// Exact unsigned integers for the number tests' oracles: slow, plain and independent of the
// product's arithmetic.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace number_test {

class BigInteger {
 public:
  explicit BigInteger(std::uint64_t value = 0) {
    while (value != 0) {
      words_.push_back(static_cast<std::uint32_t>(value));
      value >>= 32;
    }
  }

  static BigInteger PowerOfTen(int n) {
    BigInteger result(1);
    for (; n >= 9; n -= 9) result.MultiplyBy(1000000000u);
    for (; n > 0; --n) result.MultiplyBy(10);
    return result;
  }

  void MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& word : words_) {
      const std::uint64_t product = std::uint64_t{word} * factor + carry;
      word = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) words_.push_back(static_cast<std::uint32_t>(carry));
    Trim();
  }

  void MultiplyBy(const BigInteger& other) {
    std::vector<std::uint32_t> product(words_.size() + other.words_.size() + 1, 0);
    for (std::size_t i = 0; i < words_.size(); ++i) {
      std::uint64_t carry = 0;
      for (std::size_t j = 0; j < other.words_.size(); ++j) {
        const std::uint64_t t = std::uint64_t{words_[i]} * other.words_[j] + product[i + j] + carry;
        product[i + j] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
      }
      product[i + other.words_.size()] += static_cast<std::uint32_t>(carry);
    }
    words_ = std::move(product);
    Trim();
  }

  void ShiftLeft(int bits) {
    if (words_.empty()) return;
    words_.insert(words_.begin(), static_cast<std::size_t>(bits / 32), 0u);
    for (int i = 0; i < bits % 32; ++i) MultiplyBy(2);
  }

  int BitLength() const {
    if (words_.empty()) return 0;
    int top = 32;
    while (((words_.back() >> (top - 1)) & 1u) == 0) --top;
    return static_cast<int>(words_.size() - 1) * 32 + top;
  }
  bool Bit(int index) const {
    if (index < 0 || index / 32 >= static_cast<int>(words_.size())) return false;
    return ((words_[index / 32] >> (index % 32)) & 1u) != 0;
  }

  // -1, 0, 1
  friend int Compare(const BigInteger& a, const BigInteger& b) {
    if (a.words_.size() != b.words_.size()) return a.words_.size() < b.words_.size() ? -1 : 1;
    for (std::size_t i = a.words_.size(); i-- > 0;)
      if (a.words_[i] != b.words_[i]) return a.words_[i] < b.words_[i] ? -1 : 1;
    return 0;
  }

  // |a - b|
  friend BigInteger Distance(const BigInteger& a, const BigInteger& b) {
    const bool aLarger = Compare(a, b) >= 0;
    const BigInteger& big = aLarger ? a : b;
    const BigInteger& small = aLarger ? b : a;
    BigInteger result = big;
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < result.words_.size(); ++i) {
      std::int64_t t = std::int64_t{result.words_[i]} - borrow -
                       (i < small.words_.size() ? std::int64_t{small.words_[i]} : 0);
      borrow = t < 0 ? 1 : 0;
      result.words_[i] = static_cast<std::uint32_t>(t + (borrow << 32));
    }
    result.Trim();
    return result;
  }

 private:
  void Trim() {
    while (!words_.empty() && words_.back() == 0) words_.pop_back();
  }
  std::vector<std::uint32_t> words_;
};

}  // namespace number_test

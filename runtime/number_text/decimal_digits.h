#pragma once
// Decimal digits of unsigned integers into caller buffers.

#include <cstdint>

namespace runtime {

// The number of decimal digits of s (1 for 0).
int DecimalLength(std::uint64_t s);

// Writes the decimal digits of s, most significant first, without a terminator; returns
// their count (at most 20).
int WriteDecimal(std::uint64_t s, char* out);

}  // namespace runtime

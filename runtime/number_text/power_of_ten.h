#pragma once
// Powers of ten in extended precision, and scaling by them.

#include <cstdint>

namespace runtime {

struct PowerOfTenTableRecord {
  std::uint32_t small[8];  // 10^0 .. 10^7, exact
  long double large[10];   // 10^8, 10^16, ... 10^4096 (10^(8 * 2^i)), each the nearest value
  long double digitBound;  // 10^18, exact: the bound of an 18-digit integer
};

extern const PowerOfTenTableRecord PowerOfTenTable;

// v x 10^m, with at most one multiplication or division after the table lookups.
long double ScaleByPowerOfTen(long double v, int m);

}  // namespace runtime

#pragma once

#include <cstdint>

namespace tage {

// A date as entered: three numbers used as read, never validated. A calendar month is
// 1 to 12, but any 32-bit value may stand in any field.
struct Date {
  std::int32_t day = 0;
  std::int32_t month = 0;
  std::int32_t year = 0;
};

// The two dates of a run, in the order entered.
struct DatePair {
  Date first;
  Date second;
};

}  // namespace tage

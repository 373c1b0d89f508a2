#pragma once

// Why a read or a write of the console failed: an errno value, or one of these for a
// failure that sets none.
namespace tage {

// The cause of a failed write that sets no errno: a write that took nothing, or on
// Windows a line that did not go out whole.
inline constexpr int kOutputIncomplete = -1;

}  // namespace tage

// korvan95's commands when memory runs out. Pure: the window passes its state in and shows
// the message.
#pragma once

#include <new>
#include <optional>
#include <tuple>
#include <utility>

// Runs `step` over the parts of the window's state it may change. When an allocation fails
// in it (std::bad_alloc), every part is put back as it was before, by moving (which needs no
// memory), and the result is false: the caller shows kNotEnoughMemory. A copy that cannot be
// made fails the same way before the step runs. True when the step ran to its end.
template <class Step, class... Parts>
bool RunKeepingParts(Step&& step, Parts&... parts) {
  std::optional<std::tuple<Parts...>> before;
  try {
    before.emplace(parts...);
    std::forward<Step>(step)();
    return true;
  } catch (const std::bad_alloc&) {
    if (before) std::tie(parts...) = std::move(*before);
    return false;
  }
}

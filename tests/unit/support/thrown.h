#pragma once

#include <gtest/gtest.h>

#include <optional>

namespace stp::test {

// The error of type E that run throws; none, and a failed test, when it
// throws nothing.
template <typename E, typename Run>
std::optional<E> Thrown(Run&& run) {
  try {
    run();
  } catch (const E& e) {
    return e;
  }
  ADD_FAILURE() << "no error";
  return std::nullopt;
}

}  // namespace stp::test

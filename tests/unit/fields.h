// EXPECT_FIELDS(expected tuple, found...): results compared with their expected values field
// by field; a failure names each field that differs by the expression that gave it:
//   EXPECT_FIELDS(std::tuple(2, true), s.caretRow, s.inputFixed) << keys;
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// One "name: found, expected value" line for each field that differs; the names are the found
// expressions as written, split at the commas outside brackets.
template <typename Found, typename Expected>
std::string DifferingFields(const char* names, const Found& found, const Expected& expected) {
  std::vector<std::string> name(1);
  for (int depth = 0; *names != '\0'; ++names) {
    depth += (*names == '(' || *names == '[' || *names == '{') - (*names == ')' || *names == ']' || *names == '}');
    if (depth == 0 && *names == ',') name.emplace_back();
    else if (!name.back().empty() || *names != ' ') name.back() += *names;
  }
  std::string out;
  [&]<std::size_t... i>(std::index_sequence<i...>) {
    ((out += std::equal_to<>()(std::get<i>(found), std::get<i>(expected)) ? "" : name.at(i) + ": " +
         testing::PrintToString(std::get<i>(found)) + ", expected " + testing::PrintToString(std::get<i>(expected)) + "\n"),
     ...);
  }(std::make_index_sequence<std::tuple_size_v<Expected>>());
  return out;
}

// The found expressions are named after macro expansion, so a macro may list a struct's fields.
#define FIELD_NAMES(...) #__VA_ARGS__
#define EXPECT_FIELDS(expected, ...)                                                                            \
  switch (0) case 0: default:                                                                                   \
    if (const std::string differing = DifferingFields(FIELD_NAMES(__VA_ARGS__), std::tuple(__VA_ARGS__), expected); \
        differing.empty()) {} else ADD_FAILURE() << differing

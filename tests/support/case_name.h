#pragma once

#include <gtest/gtest.h>

#include <string>

namespace plinthar::testing {

// Names a parameterised test after its table row.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& row) {
  return row.param.name;
}

}  // namespace plinthar::testing

// Rows of parameterised tests are named by their own text: the text
// becomes the test's suffix, and a row prints as that text where
// GoogleTest would otherwise dump the row's bytes ("GetParam() = 136-byte
// object <...>"). A row type gives its text with a friend
//     friend void PrintTo(const Row& R, std::ostream* Os) { *Os << R.Name; }
// and its suite is instantiated with RowNamer() as the name generator.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace quellix::testsupport {

// A test name made of the text: letters and digits kept, everything else
// an underscore.
inline std::string TestNameOf(const std::string& Text) {
  std::string N = Text;
  for (char& C : N)
    if (!std::isalnum(static_cast<unsigned char>(C))) C = '_';
  return N;
}

struct RowNamer {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& Info) const {
    return TestNameOf(::testing::PrintToString(Info.param));
  }
};

}  // namespace quellix::testsupport

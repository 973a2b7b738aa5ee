#include "ui/anchor_colour.h"

#include <gtest/gtest.h>

#include <ostream>

namespace launcher::ui {

namespace {

struct ColourCase {
  const wchar_t* text;
  std::optional<uint32_t> colour;
};

void PrintTo(const ColourCase& c, std::ostream* out) {
  *out << '"';
  for (const wchar_t* p = c.text; *p; ++p) *out << static_cast<char>(*p);
  *out << '"';
}

class AnchorColourTest : public testing::TestWithParam<ColourCase> {};

TEST_P(AnchorColourTest, Parses) { EXPECT_EQ(ParseAnchorColour(GetParam().text), GetParam().colour); }

INSTANTIATE_TEST_SUITE_P(Ui, AnchorColourTest,
                         testing::Values(ColourCase{L"0,128,0", 0x008000u},           // green
                                         ColourCase{L"255,0,0", 0x0000FFu},           // red is the low byte
                                         ColourCase{L"1,2,3", 0x030201u},             //
                                         ColourCase{L" 255, 0, 0", 0x0000FFu},        // blanks before each number
                                         ColourCase{L"\t+7,-1,0", 0x00FF07u},         // signs; -1 cut to 255
                                         ColourCase{L"256,257,0", 0x000100u},         // low 8 bits
                                         ColourCase{L"12x,3y4,5z", 0x05030Cu},        // a number ends at a non-digit
                                         ColourCase{L",,0", 0x000000u},               // no digits give 0
                                         ColourCase{L"0,128, ", 0x008000u},           // a blank rest is not empty
                                         ColourCase{L"12,34", std::nullopt},          // two parts
                                         ColourCase{L"12,34,", std::nullopt},         // nothing after the second comma
                                         ColourCase{L"12", std::nullopt},             // no comma
                                         ColourCase{L"", std::nullopt},               //
                                         ColourCase{L"255, 255, 255", std::nullopt},  // longer than 11 characters
                                         ColourCase{L"255,255,255", 0xFFFFFFu},       // 11 characters
                                         ColourCase{L"1,2,3,4", 0x030201u}));         // the rest is read as blue

}  // namespace

}  // namespace launcher::ui

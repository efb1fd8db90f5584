// Numbers as the program shows them in names and listings: rounding with ties to
// even, the shortest decimal form and the locale's decimal separator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace renamora {

// value rounded to decimals places; a tie goes to the even neighbour.
double RoundHalfEven(double value, int decimals);

// The shortest form of value with at most 15 significant digits: no trailing
// zeros, no separator for whole numbers, decimalSeparator in place of ".".
std::u16string ShortestDecimalText(double value, std::u16string_view decimalSeparator);

// value in decimal with "0" put in front up to width digits; never cut.
std::u16string NumberText(std::int64_t value, int width);

// A size by the program's units: bytes below 1 KB with byteUnit, then "KB" and "MB"
// with one decimal and "GB" with two, no space before the unit.
std::u16string SizeText(std::uint64_t bytes, std::u16string_view decimalSeparator, std::u16string_view byteUnit);

// The size of an item as a template puts it into a name: "512Bytes", "1.5KB",
// "1MB", "5GB" (no space before the unit).
std::u16string TemplateSizeText(std::uint64_t bytes, std::u16string_view decimalSeparator);

}  // namespace renamora

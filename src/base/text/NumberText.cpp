// Rounding and decimal text of the numbers shown in names and listings.
#include "base/text/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace renamora {
namespace {

// Above this magnitude every double is a whole number, so there is nothing to round.
constexpr double kNoFraction = 4503599627370496.0;  // 2^52

double PowerOfTen(int exponent) {
  // Repeated multiplication is exact up to 10^22; beyond that pow's error no longer
  // matters because the scaled value has no fraction left anyway.
  if (exponent <= 22) {
    double p = 1.0;
    for (int i = 0; i < exponent; ++i) p *= 10.0;
    return p;
  }
  return std::pow(10.0, exponent);
}

// Ties to even on the exact fraction, so that the result does not depend on the
// floating-point rounding mode some other code may have left behind.
double RoundToEvenInteger(double value) {
  if (!(std::fabs(value) < kNoFraction)) return value;
  const double below = std::floor(value);
  const double fraction = value - below;  // exact for |value| < 2^52
  if (fraction > 0.5) return below + 1.0;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

// Rewrites "d.ddde+XX" / "d.ddde-XX" as plain digits: sizes and counts read as
// numbers, never as exponent notation.
std::string WithoutExponent(const std::string& text) {
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return text;
  std::string sign;
  std::string digits;
  std::size_t i = 0;
  if (text[0] == '-') {
    sign = "-";
    i = 1;
  }
  for (; i < e; ++i) {
    if (text[i] != '.') digits += text[i];
  }
  // The mantissa has one digit before its point, so the point of the plain form
  // sits after 1 + exponent digits.
  const long pointAt = 1 + std::strtol(text.c_str() + e + 1, nullptr, 10);
  std::string out = sign;
  if (pointAt <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-pointAt), '0');
    out += digits;
  } else if (static_cast<std::size_t>(pointAt) >= digits.size()) {
    out += digits;
    out.append(static_cast<std::size_t>(pointAt) - digits.size(), '0');
  } else {
    out += digits.substr(0, static_cast<std::size_t>(pointAt));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(pointAt));
  }
  return out;
}

}  // namespace

double RoundHalfEven(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  if (decimals >= 0) {
    const double scale = PowerOfTen(decimals);
    const double scaled = value * scale;
    if (!(std::fabs(scaled) < kNoFraction)) return value;
    return RoundToEvenInteger(scaled) / scale;
  }
  // Dividing by an exact power of ten rounds better than multiplying by 10^-n,
  // which has no exact double.
  const double scale = PowerOfTen(-decimals);
  if (!std::isfinite(scale)) return 0.0 * value;
  return RoundToEvenInteger(value / scale) * scale;
}

std::u16string ShortestDecimalText(double value, std::u16string_view decimalSeparator) {
  if (value == 0.0) value = 0.0;  // no "-0"
  char buffer[64];
  // to_chars ignores the C locale, so the "." below is always the point.
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (result.ec != std::errc()) return {};
  std::string text = WithoutExponent(std::string(buffer, result.ptr));
  const std::size_t point = text.find('.');
  if (point != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  std::u16string out;
  out.reserve(text.size() + decimalSeparator.size());
  for (char c : text) {
    if (c == '.') {
      out += decimalSeparator;
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::u16string SizeText(std::uint64_t bytes, std::u16string_view decimalSeparator, std::u16string_view byteUnit) {
  const double kilobytes = static_cast<double>(bytes) / 1024.0;
  if (kilobytes < 1.0) return NumberText(static_cast<std::int64_t>(bytes), 0) + std::u16string(byteUnit);
  if (kilobytes <= 1023.0) return ShortestDecimalText(RoundHalfEven(kilobytes, 1), decimalSeparator) + u"KB";
  if (kilobytes <= 1048575.0) {
    return ShortestDecimalText(RoundHalfEven(kilobytes / 1024.0, 1), decimalSeparator) + u"MB";
  }
  return ShortestDecimalText(RoundHalfEven(kilobytes / 1048576.0, 2), decimalSeparator) + u"GB";
}

std::u16string NumberText(std::int64_t value, int width) {
  // The magnitude as unsigned, so that the smallest int64 has one too.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  char16_t digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::u16string out;
  const std::size_t padding = width > count ? static_cast<std::size_t>(width - count) : 0;
  out.reserve((value < 0 ? 1 : 0) + padding + static_cast<std::size_t>(count));
  if (value < 0) out += u'-';
  out.append(padding, u'0');
  while (count > 0) out += digits[--count];
  return out;
}

std::u16string TemplateSizeText(std::uint64_t bytes, std::u16string_view decimalSeparator) {
  return SizeText(bytes, decimalSeparator, u"Bytes");
}

}  // namespace renamora

// Regional settings, case mapping and code page conversion from the Win32 API.
#include "platform/win32/Win32Locale.h"

#include "platform/win32/IncludeWindows.h"
#include "platform/win32/WideText.h"

namespace renamora {
namespace {

constexpr std::size_t kUnitCount = 0x10000;

std::u16string UserLocaleText(LCTYPE type, std::u16string_view fallback) {
  const int size = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, nullptr, 0);
  if (size > 1) {
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int got = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text.data(), size);
    if (got > 1) {
      text.resize(static_cast<std::size_t>(got - 1));  // without the terminating NUL
      return FromWide(text);
    }
  }
  return std::u16string(fallback);
}

}  // namespace

Win32Locale::Win32Locale() : upper_(kUnitCount) {
  for (std::size_t i = 0; i < kUnitCount; ++i) upper_[i] = static_cast<char16_t>(i);
  ::CharUpperBuffW(reinterpret_cast<wchar_t*>(upper_.data()), static_cast<DWORD>(kUnitCount));
  // Half of a surrogate pair is no letter; whatever the system makes of one alone,
  // it must stay itself so that pairs and lone surrogates in names survive.
  for (std::size_t i = 0xD800; i <= 0xDFFF; ++i) upper_[i] = static_cast<char16_t>(i);
}

char16_t Win32Locale::UpperUnit(char16_t c) const { return upper_[c]; }

std::u16string Win32Locale::DecimalSeparator() const {
  return UserLocaleText(LOCALE_SDECIMAL, u".");
}

std::u16string Win32Locale::ShortDateFormat() const {
  return UserLocaleText(LOCALE_SSHORTDATE, u"M/d/yyyy");
}

std::u16string Win32Locale::LongTimeFormat() const {
  return UserLocaleText(LOCALE_STIMEFORMAT, u"h:mm:ss tt");
}

std::uint16_t Win32Locale::SystemLanguageId() const { return ::GetSystemDefaultLangID(); }

std::optional<std::string> Win32Locale::ToCodePage(std::u16string_view text) const {
  if (text.empty()) return std::string();
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  // With UTF-8 as the system code page (a Windows 10 option) the call refuses the
  // best-fit and default-character arguments; there the only thing that does not
  // fit is an unpaired surrogate, which WC_ERR_INVALID_CHARS reports.
  const bool utf8 = ::GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;

  const int size =
      ::WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, usedDefaultOut);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (::WideCharToMultiByte(CP_ACP, flags, wide, length, bytes.data(), size, nullptr,
                            usedDefaultOut) != size ||
      usedDefault) {
    return std::nullopt;
  }
  return bytes;
}

std::u16string Win32Locale::FromCodePage(std::string_view bytes) const {
  if (bytes.empty()) return std::u16string();
  const int length = static_cast<int>(bytes.size());
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return std::u16string();
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
  return FromWide(text);
}

std::unique_ptr<Locale> MakeSystemLocale() { return std::make_unique<Win32Locale>(); }

}  // namespace renamora

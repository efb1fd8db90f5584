// Name and template checks with their messages.
#include "core/NameChecks.h"

#include <array>

#include "platform/Prompter.h"

namespace renamora {

void MessageContext::Inform(std::u16string_view text) const {
  prompter.Inform(texts.Lookup(Msg::kInformation), text);
}

std::u16string ForbiddenCharactersText(const TextLookup& texts) {
  std::u16string text = texts.Lookup(126);
  for (char16_t c : kForbiddenNameChars) {
    text += u' ';
    text += c;
  }
  return text;
}

MessageId NewNameRefusal(std::u16string_view newName) {
  static constexpr std::u16string_view kReserved[] = {u"con", u"aux", u"com1", u"lpt1", u"prn", u"nul"};
  for (auto r : kReserved) {
    if (newName == r) return 127;
  }
  if (newName.size() >= 256) return 128;
  // Every refused character is below U+0080: one table lookup per unit.
  static const auto kRefused = [] {
    std::array<bool, 0x80> table{};
    for (char16_t c = 0; c < 0x20; ++c) table[c] = true;
    for (char16_t c : kForbiddenNameChars) table[c] = true;
    return table;
  }();
  for (char16_t c : newName) {
    if (c < 0x80 && kRefused[c]) return 126;
  }
  return 0;
}

bool CheckNewName(std::u16string_view newName, const MessageContext& messages) {
  const MessageId reason = NewNameRefusal(newName);
  if (reason == 0) return true;
  if (reason == 126) {
    messages.Inform(ForbiddenCharactersText(messages.texts));
    return false;
  }
  std::u16string text = messages.texts.Lookup(238);
  text += u": '";
  text += newName;
  text += u"' ";
  text += messages.texts.Lookup(reason);
  messages.Inform(text);
  return false;
}

bool CheckTypedName(std::u16string_view text, const SpecialStringSettings& settings,
                    const MessageContext& messages) {
  if (!CheckRandomSpecs(text, settings, messages)) return false;
  if (text.find_first_of(kForbiddenNameChars) != std::u16string_view::npos) {
    messages.Inform(ForbiddenCharactersText(messages.texts));
    return false;
  }
  return true;
}

namespace {

bool IsDecimalInteger(std::u16string_view x) {
  if (!x.empty() && (x[0] == u'+' || x[0] == u'-')) x.remove_prefix(1);
  if (x.empty()) return false;
  for (char16_t c : x) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

// Compares the digits as text so that no length of number can overflow.
bool IntegerAbove100(std::u16string_view x) {
  if (x[0] == u'-') return false;
  if (x[0] == u'+') x.remove_prefix(1);
  while (x.size() > 1 && x[0] == u'0') x.remove_prefix(1);
  return x.size() > 3 || (x.size() == 3 && x > u"100");
}

}  // namespace

bool CheckRandomSpecs(std::u16string_view text, const SpecialStringSettings& settings,
                      const MessageContext& messages) {
  if (!settings.Enabled) return true;
  std::u16string_view t = text;
  for (;;) {
    const std::size_t first = t.find(u'%');
    if (first == std::u16string_view::npos) return true;
    std::u16string_view r = t.substr(first + 1);
    while (!r.empty() && r[0] == u'%') r.remove_prefix(1);
    const std::size_t close = r.find(u'%');
    if (close == std::u16string_view::npos) return true;
    const std::u16string_view x = r.substr(0, close);
    if (IsDecimalInteger(x)) {
      if (IntegerAbove100(x)) {
        messages.Inform(std::u16string(x) + u" " + messages.texts.Lookup(235));
        return false;
      }
    } else if (x.size() < 3) {
      messages.Inform(messages.texts.Lookup(236) + u"(" + std::u16string(x) + u") " + messages.texts.Lookup(237));
      return false;
    }
    t = r.substr(close + 1);
  }
}

}  // namespace renamora

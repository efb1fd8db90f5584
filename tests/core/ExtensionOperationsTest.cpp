// Tests of the Extension panel's operation on one extension text.
#include "core/ops/ExtensionOperations.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/text/Utf.h"

namespace renamora {
namespace {

std::string Show(const std::optional<std::u16string>& extension) {
  return extension ? "'" + ToUtf8Lossy(*extension) + "'" : "no change";
}

TEST(ChangeExtensionTest, SelectsIgnoringLetterCaseAndReplacesCaseSensitively) {
  struct Row {
    const char* label;
    std::u16string extension;
    bool replaceAll;
    std::u16string oldExtension;
    std::u16string newExtension;
    std::optional<std::u16string> expected;
  };
  const Row rows[] = {
      {"old matches ignoring case", u".JPG", false, u".jpg", u".png", u".png"},
      {"old matches exactly", u".jpg", false, u".jpg", u".png", u".png"},
      {"other extension", u".gif", false, u".jpg", u".png", std::nullopt},
      {"old is only a prefix", u".jpeg", false, u".jpg", u".png", std::nullopt},
      {"no extension, old given", u"", false, u".jpg", u".png", std::nullopt},
      {"new differs in case only", u".JPG", false, u".jpg", u".jpg", u".jpg"},
      {"new equals the extension", u".jpg", false, u".JPG", u".jpg", std::nullopt},
      {"empty new removes", u".BAK", false, u".bak", u"", u""},
      {"empty old selects files without one", u"", false, u"", u".txt", u".txt"},
      {"empty old skips files with one", u".doc", false, u"", u".txt", std::nullopt},
      {"all types, empty new removes", u".doc", true, u"", u"", u""},
      {"all types, nothing to remove", u"", true, u"", u"", std::nullopt},
      {"all types, file gains one", u"", true, u".jpg", u".txt", u".txt"},
      {"all types ignore old", u".TXT", true, u".jpg", u".txt", u".txt"},
      {"all types, already there", u".txt", true, u".jpg", u".txt", std::nullopt},
      {"non-ASCII case ignored", u".JP\u00c9G", false, u".jp\u00e9g", u".png", u".png"},
      {"non-ASCII letter differs", u".jP\u00c9g", false, u".JPEG", u".png", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ExtensionOptions options;
    options.ExtensionKind = ExtensionChoice::ChangeExtension;
    options.ReplaceAllTypes = row.replaceAll;
    options.OldExtension = row.oldExtension;
    options.NewExtension = row.newExtension;
    EXPECT_EQ(Show(ChangeExtensionOf(row.extension, options)), Show(row.expected));
  }
}

TEST(ConvertExtensionCaseTest, MapsEveryLetterAndReportsNoChange) {
  struct Row {
    const char* label;
    std::u16string extension;
    bool upper;
    std::optional<std::u16string> expected;
  };
  const Row rows[] = {
      {"to upper", u".txt", true, u".TXT"},
      {"already upper", u".TXT", true, std::nullopt},
      {"no extension", u"", true, std::nullopt},
      {"no extension, lower", u"", false, std::nullopt},
      {"to lower, non-ASCII too", u".Jp\u00c9G", false, u".jp\u00e9g"},
      {"to upper, non-ASCII too", u".t\u00e4r", true, u".T\u00c4R"},
      {"only non-ASCII letters", u".\u00e9", true, u".\u00c9"},
      {"no one-unit capital", u".\u00df", true, std::nullopt},
      {"mixed to lower", u".Gz", false, u".gz"},
      {"digits only", u".7z", false, std::nullopt},
      {"surrogate pair intact", u".\U0001F600a", true, u".\U0001F600A"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ExtensionOptions options;
    options.ExtensionKind = ExtensionChoice::ConvertExtensionCase;
    options.ExtensionUpper = row.upper;
    // The change boxes must not matter here.
    options.OldExtension = u".zzz";
    options.NewExtension = u".yyy";
    EXPECT_EQ(Show(ChangeExtensionOf(row.extension, options)), Show(row.expected));
  }
}

}  // namespace
}  // namespace renamora

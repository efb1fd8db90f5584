// The named fields of a command-line request: setting them by name and text, request files and presets.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/SettingsFile.h"
#include "core/EditRequest.h"
#include "core/special/Sequences.h"
#include "platform/Locale.h"

namespace renamora {

// Everything one command-line call can set. A field is named `Group.Field`:
// the group is EditRequest (its scope bar), one of its option structs,
// SpecialStringSettings, or Option (a key of the settings file's section
// "Option" that this call overrides).
struct CliRequest {
  EditRequest request;
  SpecialStringSettings special;
  // Key and value of each overridden "Option" key, in the order first given,
  // the value in the form the settings file stores ("1"/"0", decimal).
  std::vector<std::pair<std::u16string, std::u16string>> optionOverrides;
  // False: no sample name was given, and the caller takes one of its own.
  bool sampleTextSet = false;
};

// Sets one field. Group and field names, enumerator names, mode identifiers
// and true/false match ignoring ASCII letter case, as section and key names of
// a request file do. Gives the error message, naming the field, when the name
// is unknown or the value is not one the field takes; the request is unchanged
// then.
std::optional<std::u16string> SetField(CliRequest& cli, std::u16string_view name, std::u16string_view value);

// The value of one field as text, in the form a preset stores it (choices by
// their first name, flags as 1 and 0); nothing when the name is unknown, or for
// an Option key or the sample while they have not been given.
std::optional<std::u16string> FieldValue(const CliRequest& cli, std::u16string_view name);

// Applies a request (or preset) file: each section is a group, each key a
// field, read by the settings file's rules. Gives the first error, with its
// line number; fields before it are applied.
std::optional<std::u16string> ApplyRequestLines(CliRequest& cli, const std::vector<std::u16string>& lines);
std::optional<std::u16string> ApplyRequestFile(CliRequest& cli, std::string_view bytes, const Locale& locale);

// The preset of a request: every field that differs from its default, groups
// in a fixed order and fields in declaration order. Reads back through
// ApplyRequestLines to the same request.
std::vector<std::u16string> PresetLines(const CliRequest& cli);

// Every field name, in preset order.
std::vector<std::u16string> FieldNames();
// One line per field for the usage text: `Name=values`, e.g.
// `RemoveOptions.CaseSensitive=1|0`.
std::vector<std::u16string> FieldHelpLines();

// The overrides put into the settings document, so that the typed settings
// loaded from it see them.
void ApplyOptionOverrides(const CliRequest& cli, IniDocument& settings);

}  // namespace renamora

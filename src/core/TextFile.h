// The text files the program reads and writes: hand-over lists, the undo log, the
// history, name listings. Written one entry per line with CR LF, in the system's
// 8-bit code page when every character fits it, otherwise with a byte-order mark
// so that no name is ever lost; read in any of these forms.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace renamora {

// The text of a file's bytes: UTF-8 or UTF-16 (LE/BE) by their byte-order mark,
// otherwise the system code page.
std::u16string DecodeText(std::string_view bytes, const Locale& locale);

// Lines ended by CR LF, LF or CR; a final line end adds no empty line.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// Each line followed by CR LF: in the code page when all of it fits (and its
// bytes do not begin like a byte-order mark), else UTF-8 with a byte-order mark,
// else (unpaired surrogates, possible in Windows names) UTF-16 LE with a
// byte-order mark.
std::string EncodeLines(std::span<const std::u16string_view> lines, const Locale& locale);
std::string EncodeLines(const std::vector<std::u16string>& lines, const Locale& locale);
// The same for text whose lines already end in CR LF.
std::string EncodeText(std::u16string_view text, const Locale& locale);
// The same for text in pieces, each ending with a line's CR LF.
std::string EncodeText(std::span<const std::u16string_view> pieces, const Locale& locale);

// Nothing when the file cannot be read.
std::optional<std::vector<std::u16string>> ReadTextLines(FileSystem& fs, std::u16string_view path,
                                                         const Locale& locale);
// Replaces the file as a whole (atomically); false when it could not be written.
[[nodiscard]] bool WriteTextLines(FileSystem& fs, std::u16string_view path, const std::vector<std::u16string>& lines,
                    const Locale& locale);
// The same for lines that live elsewhere (an undo log of many thousand paths).
[[nodiscard]] bool WriteTextLines(FileSystem& fs, std::u16string_view path, std::span<const std::u16string_view> lines,
                    const Locale& locale);

}  // namespace renamora

// Runs renamora-cli in-process on real temporary folders, with a data folder of
// its own, so that the same tests run natively and under Wine.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "cli/CliApp.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "support/TempFolder.h"

namespace renamora::cli {

using Args = std::vector<std::u16string>;

struct CliResult {
  int status = -1;
  std::string out, err;
};

class CliHarness : public testing::Test {
 protected:
  CliResult Cli(const Args& args) {
    std::ostringstream out, err;
    CliEnvironment env{out, err, false, false, [] { return std::optional<std::string>(); }, CallFileSystem(), *locale, *clock,
                       {},  WithTrailingSeparator(dir.Path())};
    env.folders.programFile = dir / u"renamora-cli";
    CliResult result;
    result.status = RunCli(args, env);
    result.out = out.str();
    result.err = err.str();
    return result;
  }
  // A command with this test's data folder.
  CliResult Command(const std::u16string& command, Args rest) {
    Args args{command, u"--data-folder", data.Path()};
    args.insert(args.end(), rest.begin(), rest.end());
    return Cli(args);
  }

  // The file system the call works on; a test may put a wrapper in between.
  virtual FileSystem& CallFileSystem() { return *fs; }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  std::unique_ptr<Locale> locale = MakeSystemLocale();
  std::unique_ptr<Clock> clock = MakeSystemClock();
  test::TempFolder dir{*fs};
  test::TempFolder data{*fs};
};

}  // namespace renamora::cli

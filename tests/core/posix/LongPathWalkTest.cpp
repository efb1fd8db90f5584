// A walk that meets a folder whose path is longer than the system takes says so,
// instead of calling the folder moved or deleted.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

TEST(LongPathWalk, FolderBeyondThePathLimitIsNamedAsSuch) {
  test::EngineWorld world;
  test::TempFolder dir(*world.fs);
  dir.MakeFile(u"xa.txt");
  // Folders of 250 bytes each, as deep as full paths can still reach...
  std::u16string deepest = dir.Path();
  const std::u16string level(250, u'd');
  while (deepest.size() + 1 + level.size() < 4090) {
    deepest += kPathSeparator + level;
    ASSERT_TRUE(world.fs->CreateFolder(deepest));
  }
  // ...and one more below, made from inside the deepest one: its own path is
  // beyond the limit, so only a relative path can make (and remove) it.
  const std::string deepestBytes = *Utf16ToUtf8(deepest);
  const std::string child(200, 'c');
  std::vector<char> home(4096);
  ASSERT_NE(::getcwd(home.data(), home.size()), nullptr);
  ASSERT_EQ(::chdir(deepestBytes.c_str()), 0);
  ASSERT_EQ(::mkdir(child.c_str(), 0777), 0);
  ASSERT_EQ(::chdir(home.data()), 0);

  EditRequest request;
  request.Mode = std::u16string(EditMode::kRemove);
  request.Remove.Strings = {u"x", u"", u""};
  request.IncludeSubfolders = true;
  world.program.TargetFolder = WithTrailingSeparator(dir.Path());
  world.Engine().RenameCommand(request);

  EXPECT_EQ(world.run.Counters.Renamed, 1);
  EXPECT_EQ(world.run.Counters.Failed, 1);
  EXPECT_EQ(world.prompter.Texts(),
            (std::vector<std::u16string>{u"The folder's path is longer than the system allows! - '" + deepest +
                                         kPathSeparator + U16(child) + u"'"}));

  ASSERT_EQ(::chdir(deepestBytes.c_str()), 0);
  EXPECT_EQ(::rmdir(child.c_str()), 0);
  ASSERT_EQ(::chdir(home.data()), 0);
}

}  // namespace
}  // namespace renamora

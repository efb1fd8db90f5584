// A remove edit over a name that is not valid UTF-8 keeps every other byte.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

TEST(ByteNames, RemoveKeepsEveryOtherByte) {
  test::EngineWorld world;
  test::TempFolder dir(*world.fs);
  const std::string folder = *Utf16ToUtf8(dir.Path());
  std::ofstream(folder + "/ph\xFFoto_\xC3\xA9x\x80.txt", std::ios::binary) << "bytes";
  EditRequest request;
  request.Mode = std::u16string(EditMode::kRemove);
  request.Remove.Strings = {u"x", u"", u""};
  world.program.TargetFolder = WithTrailingSeparator(dir.Path());
  world.Engine().RenameCommand(request);
  EXPECT_EQ(world.run.Counters.Renamed, 1);
  std::ifstream in(folder + "/ph\xFFoto_\xC3\xA9\x80.txt", std::ios::binary);
  std::string content;
  in >> content;
  EXPECT_EQ(content, "bytes");
}

}  // namespace
}  // namespace renamora

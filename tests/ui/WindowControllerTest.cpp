// The focus request a command leaves is given to the view once.
#include "ui/WindowController.h"

#include <gtest/gtest.h>

namespace renamora::ui {
namespace {

class AskingController final : public WindowController {
 public:
  std::u16string Caption() const override { return u"x"; }
  std::vector<int> ControlIds() const override { return {7}; }
  ControlState State(int) const override { return {}; }
  void Command(int id) override { RequestFocus(id, true); }
};

TEST(WindowController, AFocusRequestIsTakenOnce) {
  AskingController c;
  EXPECT_FALSE(c.TakeFocusRequest().has_value());
  c.Command(7);
  const auto first = c.TakeFocusRequest();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->controlId, 7);
  EXPECT_TRUE(first->selectAll);
  EXPECT_FALSE(c.TakeFocusRequest().has_value());
}

}  // namespace
}  // namespace renamora::ui

// The view tests' program: one DesktopProgram over a fresh program folder (which
// is then its data folder too), its message boxes answered by a RecordingPrompter.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/frame/win32/DesktopProgram.h"

namespace renamora::ui::win {

class ProgramFixture : public ::testing::Test {
 protected:
  ProgramFixture() : fs_(MakeSystemFileSystem()), home_(*fs_), work_(*fs_) {
    DesktopSetup setup;
    setup.arguments = {u"Renamora.exe"};
    setup.prompter = &prompter_;
    setup.programFile = home_ / u"Renamora.exe";
    program_ = std::make_unique<DesktopProgram>(std::move(setup));
  }
  void SetUp() override { ASSERT_TRUE(program_->Start()); }
  void TearDown() override {
    if (IsWindow(Main())) program_->Close();
    Pump();
  }

  HWND Main() { return program_->MainWindow().Handle(); }
  // Lets every pending message through the program's own loop.
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) break;
      program_->Dispatch(msg);
    }
  }

  std::unique_ptr<FileSystem> fs_;
  test::TempFolder home_;   // the program folder
  test::TempFolder work_;   // a folder to list
  test::RecordingPrompter prompter_;
  std::unique_ptr<DesktopProgram> program_;
};

}  // namespace renamora::ui::win

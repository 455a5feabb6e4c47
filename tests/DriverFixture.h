#pragma once
// A test fixture that runs the real window under the driver on a fresh program folder.
// Scripts run piece by piece, so a test can look at and arrange the game between them.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string_view>
#include <algorithm>

#include "app/Game.h"
#include "tools/drive/Driver.h"

// A top-10 entry with its name padded to ten bytes.
inline game::TRankEntry MakeRankEntry(std::string_view name, uint16_t score, uint16_t good, uint16_t miss) {
  game::TRankEntry e{};
  e.Name.fill(' ');
  std::copy_n(name.begin(), std::min<size_t>(name.size(), 10), e.Name.begin());
  e.Score = score;
  e.Good = good;
  e.Miss = miss;
  return e;
}

struct DriverFixture : ::testing::Test {
  QTemporaryDir dir;
  std::ostringstream out, err;
  std::unique_ptr<drive::Driver> driver;
  void SetUp() override { driver = std::make_unique<drive::Driver>(dir.path().toStdString(), out, err); }
  // Runs script lines; a failure shows the driver's message.
  void Run(const std::string& script) { ASSERT_EQ(driver->Run(script), 0) << err.str(); }
  int RunCode(const std::string& script) { return driver->Run(script); }
  app::TForm2& Form() { return driver->GameObject()->Form(); }
  ui::MainControls& C() { return Form().C; }
  game::PlayState& State() { return Form().State(); }
  game::DatRecord& Record() { return State().DatRecord; }
  plat::VirtualPlatform& Platform() { return driver->Platform(); }
  // Puts `screen` alone up, as the game would.
  void ShowScreen(ui::Panel* screen) {
    for (size_t i = 0; i < game::kScreenCount; ++i) {
      const auto s = static_cast<game::Screen>(i);
      if (Form().PanelOf(s) == screen)
        Form().Screens().Show(s);
      else
        Form().Screens().Hide(s);
    }
  }
};

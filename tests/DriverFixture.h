#pragma once
// A test fixture that runs the real window under the driver on a fresh program folder.
// Scripts run piece by piece, so a test can look at and arrange the game between them.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

#include "app/Game.h"
#include "tools/drive/Driver.h"

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
  app::PlayState& State() { return Form().State(); }
  records::DatRecord& Record() { return State().DatRecord; }
  plat::VirtualPlatform& Platform() { return driver->Platform(); }
  void ShowScreen(ui::Panel* screen) {
    for (ui::Panel* p : Form().Screens()) p->SetVisible(p == screen);
  }
};

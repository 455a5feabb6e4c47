#pragma once
// The headless driver: runs the real main window on the offscreen platform with the
// virtual clock, one script command per line.
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/KeyCodes.h"
#include "platform/VirtualPlatform.h"

class QDialog;

namespace ui {
class Control;
}

namespace app {
class Game;
class TForm2;
}  // namespace app

namespace drive {

// A player's click (or double click) on a control that is shown and enabled.
void ClickLikeAPlayer(app::TForm2& form, ui::Control& c, bool doubleClick, bool inDialog);

class Driver {
 public:
  enum Exit { kOk = 0, kScriptError = 1, kExpectFailed = 2 };

  Driver(std::string exeDir, std::ostream& out, std::ostream& err);
  ~Driver();

  // Runs a whole script; the exit code of the driver.
  int Run(const std::string& script);

  plat::VirtualPlatform& Platform() { return platform_; }
  app::Game* GameObject() { return game_.get(); }

 private:
  struct Stop {
    int code;
  };
  void RunUntil(const std::function<bool()>& done);
  void Execute(const std::string& line);
  void ModalLoop(QDialog& dialog);
  [[noreturn]] void Fail(const std::string& message);
  [[noreturn]] void ExpectFailed(const std::string& saw, const std::string& expected);
  void RequireStarted(const std::string& command);
  ui::Control* FindControl(const std::string& name);
  void Keystroke(const std::string& name);
  void Stroke(uint16_t code, bool shift, bool kana);
  void TypeByte(uint8_t ch, bool shift);
  void PhysicalKey(uint32_t code, bool shift);
  void Settle();

  std::string exeDir_;
  std::ostream& out_;
  std::ostream& err_;
  plat::VirtualPlatform platform_;
  std::unique_ptr<app::Game> game_;
  std::vector<std::string> lines_;
  size_t next_ = 0;     // index of the next line to run
  size_t current_ = 0;  // 1-based number of the line running
  QDialog* modal_ = nullptr;
  std::optional<int> pendingStop_;
  // What the keymap of the driver's keyboard tells the game: a JIS keyboard unless the
  // script says `keyboard us`, or `keyboard none` (no keymap to read).
  std::optional<plat::KeyMap> keymap_ = plat::KeyMap::Jis;
  // The list `words` chose for the romaji drills, for a game started later.
  std::string wordsFile_;
};

}  // namespace drive

#pragma once
// The main window's design rows, one block per screen, and the key-cap layout that the drill
// keyboard and the lesson keyboard share. MainFormDesign() joins the blocks in stacking order.
#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "ui/Design.h"

namespace ui::design {

// Each block starts with its screen panel; every other row follows its parent.
std::span<const ControlDesign> NameEntryScreen();   // F7Panel
std::span<const ControlDesign> ResultsScreen();     // F4Panel
std::span<const ControlDesign> SplashScreen();      // F8Panel
std::span<const ControlDesign> JudgementScreen();   // LmPanel
std::span<const ControlDesign> DrillScreen();       // F1Panel
std::span<const ControlDesign> KanaLamps();         // on F1Panel and FLPanel
std::span<const ControlDesign> ModeSelectScreen();  // F6Panel
std::span<const ControlDesign> SettingsScreen();    // Panel11
std::span<const ControlDesign> KeyboardChoice();    // on Panel11
std::span<const ControlDesign> AboutScreen();       // F5Panel
std::span<const ControlDesign> LessonScreen();      // FLPanel
std::span<const ControlDesign> TitleScreen();       // Panel1
std::span<const ControlDesign> RomajiSettings();    // on Panel11: its second page
std::span<const ControlDesign> RomajiScreen();      // RjPanel, and its two lines on F6Panel

// One key cap of the JIS keyboard picture; positions are inside the keyboard panel.
struct KeyCapPlace {
  const char* drillName;
  const char* lessonName;
  int left, top, width;
  const char* drillCaption;  // "&&" shows as one ampersand on both keyboards
  const char* lessonCaption;
};

inline constexpr int kKeyCapHeight = 33;
inline constexpr int kShiftCapWidth = 41;  // only the two SHIFT caps are this wide
inline constexpr int kDrillCapTag = 10000;
inline constexpr int kLessonCapTag = 30000;

// Caps stand 34 pixels apart; each row starts further right, like a real keyboard.
inline constexpr KeyCapPlace kKeyCaps[] = {
    // number row
    {"P_1", "FLP_1", 4, 6, 33, "1!", "1!"},
    {"P_2", "FLP_2", 38, 6, 33, "2\"", "2\""},
    {"P_3", "FLP_3", 72, 6, 33, "3#", "3#"},
    {"P_4", "FLP_4", 106, 6, 33, "4$", "4$"},
    {"P_5", "FLP_5", 140, 6, 33, "5%", "5%"},
    {"P_6", "FLP_6", 174, 6, 33, "6&&", "6&&"},
    {"P_7", "FLP_7", 208, 6, 33, "7'", "7'"},
    {"P_8", "FLP_8", 242, 6, 33, "8(", "8("},
    {"P_9", "FLP_9", 276, 6, 33, "9)", "9)"},
    {"P_0", "FLP_0", 310, 6, 33, "0", "0"},
    {"P_MS", "FLP_MS", 344, 6, 33, "-=", "-="},
    {"P_HT", "FLP_HT", 378, 6, 33, "^~", "^"},
    {"P_EN", "FLP_EN", 412, 6, 33, "\\|", "\\"},
    // upper letter row
    {"P_Q", "FLP_Q", 20, 40, 33, "Q", "Q"},
    {"P_W", "FLP_W", 54, 40, 33, "W", "W"},
    {"P_E", "FLP_E", 88, 40, 33, "E", "E"},
    {"P_R", "FLP_R", 122, 40, 33, "R", "R"},
    {"P_T", "FLP_T", 156, 40, 33, "T", "T"},
    {"P_Y", "FLP_Y", 190, 40, 33, "Y", "Y"},
    {"P_U", "FLP_U", 224, 40, 33, "U", "U"},
    {"P_I", "FLP_I", 258, 40, 33, "I", "I"},
    {"P_O", "FLP_O", 292, 40, 33, "O", "O"},
    {"P_P", "FLP_P", 326, 40, 33, "P", "P"},
    {"P_AD", "FLP_AD", 360, 40, 33, "@`", "@"},
    {"P_RS", "FLP_RS", 394, 40, 33, "[{", "["},
    // home row
    {"P_A", "FLP_A", 32, 74, 33, "A", "A"},
    {"P_S", "FLP_S", 66, 74, 33, "S", "S"},
    {"P_D", "FLP_D", 100, 74, 33, "D", "D"},
    {"P_F", "FLP_F", 134, 74, 33, "F", "F"},
    {"P_G", "FLP_G", 168, 74, 33, "G", "G"},
    {"P_H", "FLP_H", 202, 74, 33, "H", "H"},
    {"P_J", "FLP_J", 236, 74, 33, "J", "J"},
    {"P_K", "FLP_K", 270, 74, 33, "K", "K"},
    {"P_L", "FLP_L", 304, 74, 33, "L", "L"},
    {"P_SK", "FLP_SK", 338, 74, 33, ";+", ";+"},
    {"P_KR", "FLP_KR", 372, 74, 33, ":*", ":*"},
    {"P_LS", "FLP_LS", 406, 74, 33, "]}", "]"},
    // lower letter row
    {"P_Z", "FLP_Z", 48, 108, 33, "Z", "Z"},
    {"P_X", "FLP_X", 82, 108, 33, "X", "X"},
    {"P_C", "FLP_C", 116, 108, 33, "C", "C"},
    {"P_V", "FLP_V", 150, 108, 33, "V", "V"},
    {"P_B", "FLP_B", 184, 108, 33, "B", "B"},
    {"P_N", "FLP_N", 218, 108, 33, "N", "N"},
    {"P_M", "FLP_M", 252, 108, 33, "M", "M"},
    {"P_KM", "FLP_KM", 286, 108, 33, ",<", ",<"},
    {"P_PR", "FLP_PR", 320, 108, 33, ".>", ".>"},
    {"P_SR", "FLP_SR", 354, 108, 33, "/?", "/?"},
    {"P_AB", "FLP_AB", 388, 108, 33, "_", "_"},
    // space bar and the two SHIFT caps
    {"P_SPC", "FLP_SPC", 116, 144, 237, "S P A C E", "S P A C E"},
    {"P_SFT", "FLP_SFT", 6, 108, kShiftCapWidth, "SHIFT", "SHIFT"},
    {"P_SFTR", "FLP_SFTR", 422, 108, kShiftCapWidth, "SHIFT", "SHIFT"},
};
inline constexpr std::size_t kKeyCapCount = std::size(kKeyCaps);

enum class Keyboard { Drill, Lesson };

// One cap of a keyboard: black, a white 21-pixel caption, SHIFT in small silver letters.
constexpr ControlDesign KeyCapRow(const KeyCapPlace& k, const char* name, const char* parent, const char* caption,
                                  int tag) {
  const bool shift = k.width == kShiftCapWidth;
  return {.kind = Kind::Panel,
          .name = name,
          .parent = parent,
          .left = k.left,
          .top = k.top,
          .width = k.width,
          .height = kKeyCapHeight,
          .caption = caption,
          .color = clr::Black,
          .fontColor = shift ? clr::Silver : clr::White,
          .fontHeight = shift ? 12 : 21,
          .tag = tag,
          .align = Align::Center,
          .bevelOuter = Bevel::Raised};
}

// The caps of the drill or the lesson keyboard.
constexpr std::array<ControlDesign, kKeyCapCount> KeyCapRows(Keyboard keyboard) {
  const bool lesson = keyboard == Keyboard::Lesson;
  std::array<ControlDesign, kKeyCapCount> rows{};
  for (std::size_t i = 0; i < kKeyCapCount; ++i) {
    const KeyCapPlace& k = kKeyCaps[i];
    rows[i] = KeyCapRow(k, lesson ? k.lessonName : k.drillName, lesson ? "FLP10" : "F1P3",
                        lesson ? k.lessonCaption : k.drillCaption, lesson ? kLessonCapTag : kDrillCapTag);
  }
  return rows;
}

// Joins blocks of rows into one flat block, in argument order.
template <std::size_t... N>
constexpr std::array<ControlDesign, (N + ...)> Join(const std::array<ControlDesign, N>&... blocks) {
  std::array<ControlDesign, (N + ...)> rows{};
  std::size_t at = 0;
  ((std::copy(blocks.begin(), blocks.end(), rows.begin() + at), at += N), ...);
  return rows;
}

}  // namespace ui::design

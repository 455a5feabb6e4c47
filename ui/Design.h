#pragma once
// The design state of every screen as data: one row per control, in creation order.
// Creation order is also the stacking order (later rows lie above earlier ones) and the
// order of the window's component list that scaling walks.
#include <span>

#include "ui/Color.h"

namespace ui {

enum class Kind { Panel, Label, Image, CheckBox, Edit, Memo, Button, SpeedButton, GroupBox, RadioButton };
enum class Align { Left, Center, Right };
enum class Bevel { None, Lowered, Raised };
// "ＭＳ ゴシック" is fixed pitch, "ＭＳ Ｐゴシック" proportional (substituted by the IPA fonts).
enum class Face { Gothic, PGothic };

struct ControlDesign {
  Kind kind = Kind::Label;
  const char* name = "";
  const char* parent = "";  // "" = the form itself
  int left = 0, top = 0;
  int width = 0, height = 0;  // auto-sized labels compute their own
  const char* caption = "";   // UTF-8; for edits and memos the initial text
  Color color = clr::Parent;  // background
  Color fontColor = clr::WindowText;
  int fontHeight = 12;  // pixels
  Face face = Face::Gothic;
  bool bold = false;
  bool visible = true;
  int tag = 0;
  bool transparent = false;  // labels and images: paint no background
  bool autoSize = true;      // labels only
  Align align = Align::Left;
  Bevel bevelInner = Bevel::None;  // panels
  Bevel bevelOuter = Bevel::None;  // panels
  int bevelWidth = 1;              // panels
  const char* hint = "";
  int maxBytes = 0;       // edits and memos: CP932 byte limit, 0 = none
  bool readOnly = false;  // edits and memos
  bool enabled = true;
  bool stretch = true;    // images
  bool wordWrap = false;  // labels and memos
};

struct FormDesign {
  const char* name;
  const char* caption;
  int clientWidth, clientHeight;
  Color color;
  int fontHeight;
  Face face;
  std::span<const ControlDesign> controls;
};

// The main window TForm2 and the certificate-name dialog TForm9.
const FormDesign& MainFormDesign();
const FormDesign& NameDialogDesign();

}  // namespace ui

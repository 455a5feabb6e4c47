// Sanity of the design tables: names, parents, order, screens, keyboards and geometry.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "ui/Design.h"
#include "ui/MainControlList.h"

namespace ui {
namespace {

struct Listed {
  Kind kind;
  std::string_view name;
};

#define DOJOKAI_LISTED(cls, name) Listed{Kind::cls, #name},
const Listed kMainList[] = {DOJOKAI_MAIN_CONTROLS(DOJOKAI_LISTED)};
const Listed kDialogList[] = {DOJOKAI_NAME_DIALOG_CONTROLS(DOJOKAI_LISTED)};
#undef DOJOKAI_LISTED

std::map<std::string_view, const ControlDesign*> ByName(const FormDesign& form) {
  std::map<std::string_view, const ControlDesign*> rows;
  for (const auto& row : form.controls) rows[row.name] = &row;
  return rows;
}

void ExpectListMatches(const FormDesign& form, std::span<const Listed> list) {
  ASSERT_EQ(form.controls.size(), list.size()) << form.name;
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(form.controls[i].name, list[i].name) << form.name << " row " << i;
    EXPECT_EQ(form.controls[i].kind, list[i].kind) << list[i].name;
  }
}

void ExpectNamesUniqueAndParentsEarlier(const FormDesign& form) {
  std::set<std::string_view> seen;
  for (const auto& row : form.controls) {
    const std::string_view parent = row.parent;
    if (!parent.empty()) {
      EXPECT_TRUE(seen.count(parent)) << row.name << " before " << parent;
    }
    EXPECT_TRUE(seen.insert(row.name).second) << "duplicate " << row.name;
    EXPECT_FALSE(std::string_view(row.name).empty());
  }
}

TEST(DesignTables, NamesAreUniqueParentsComeFirstAndTheListsAgree) {
  ExpectNamesUniqueAndParentsEarlier(MainFormDesign());
  ExpectNamesUniqueAndParentsEarlier(NameDialogDesign());
  ExpectListMatches(MainFormDesign(), kMainList);
  ExpectListMatches(NameDialogDesign(), kDialogList);
  EXPECT_EQ(std::string_view(MainFormDesign().name), "TForm2");
  EXPECT_EQ(std::string_view(NameDialogDesign().name), "TForm9");
}

TEST(DesignTables, ScreensStackInOrderAndOnlyTheTitleStartsShown) {
  const std::vector<std::string_view> expected = {"F7Panel", "F4Panel", "F8Panel", "LmPanel", "F1Panel", "F6Panel",
                                                  "Panel11", "F5Panel", "FLPanel", "Panel1",  "RjPanel"};
  std::vector<std::string_view> screens;
  for (const auto& row : MainFormDesign().controls) {
    if (std::string_view(row.parent).empty()) {
      screens.push_back(row.name);
      EXPECT_EQ(row.kind, Kind::Panel) << row.name;
      EXPECT_EQ(row.width, row.name == std::string_view("LmPanel") ? 490 : 482) << row.name;
      EXPECT_EQ(row.height, 302) << row.name;
      EXPECT_EQ(row.visible, row.name == std::string_view("Panel1")) << row.name;
    }
  }
  EXPECT_EQ(screens, expected);
}

TEST(DesignTables, TheThreeKeyboardsHaveFiftyOneTaggedCapsInTheSamePlaces) {
  const auto rows = ByName(MainFormDesign());
  std::vector<const ControlDesign*> drill, lesson, romaji;
  for (const auto& row : MainFormDesign().controls) {
    if (row.tag == 10000) drill.push_back(&row);
    if (row.tag == 30000) lesson.push_back(&row);
    if (row.tag == 20000) romaji.push_back(&row);
  }
  ASSERT_EQ(drill.size(), 51u);
  ASSERT_EQ(lesson.size(), 51u);
  ASSERT_EQ(romaji.size(), 51u);
  for (std::size_t i = 0; i < drill.size(); ++i) {
    const ControlDesign& d = *drill[i];
    const ControlDesign& l = *lesson[i];
    const ControlDesign& r = *romaji[i];
    EXPECT_EQ(std::string_view(r.parent), "RjP10") << r.name;
    EXPECT_EQ("R" + std::string(d.name), r.name);
    EXPECT_EQ(std::make_tuple(d.left, d.top, d.width, d.height), std::make_tuple(r.left, r.top, r.width, r.height));
    EXPECT_STREQ(d.caption, r.caption);
    EXPECT_EQ(std::string_view(d.parent), "F1P3") << d.name;
    EXPECT_EQ(std::string_view(l.parent), "FLP10") << l.name;
    EXPECT_EQ("FL" + std::string(d.name), l.name);
    EXPECT_EQ(d.kind, Kind::Panel);
    EXPECT_EQ(d.left, l.left) << d.name;
    EXPECT_EQ(d.top, l.top) << d.name;
    EXPECT_EQ(d.width, l.width) << d.name;
    EXPECT_EQ(d.height, 33) << d.name;
    const bool shift = std::string_view(d.name).starts_with("P_SFT");
    EXPECT_EQ(d.fontColor, shift ? clr::Silver : clr::White) << d.name;
    EXPECT_EQ(l.fontHeight, shift ? 12 : 21) << l.name;
    EXPECT_EQ(d.color, clr::Black) << d.name;
  }
  // a lone '&' would be swallowed as an accelerator mark
  EXPECT_STREQ(rows.at("P_6")->caption, "6&&");
  EXPECT_STREQ(rows.at("FLP_6")->caption, "6&&");
  EXPECT_STREQ(rows.at("P_2")->caption, "2\"");
  EXPECT_STREQ(rows.at("FLP_SPC")->caption, "S P A C E");
  EXPECT_EQ(rows.at("P_SPC")->width, 237);
}

TEST(DesignTables, ClickTargetsCarryTheTagsTheirHandlersRead) {
  const auto rows = ByName(MainFormDesign());
  const std::pair<std::string_view, int> tags[] = {
      {"Label6", 0}, {"Label7", 1}, {"Label2", 2}, {"Label9", 3}, {"Label10", 5}, {"Label11", 6}, {"F6L11", 0},
      {"F6L12", 1},  {"F6L13", 2},  {"F6L14", 3},  {"F6L15", 4},  {"F6L16", 5},   {"F6L17", 6},   {"F6L5", 7}};
  for (const auto& [name, tag] : tags) EXPECT_EQ(rows.at(name)->tag, tag) << name;
}

// Every sized control fits inside its parent, so nothing is clipped at the design size;
// auto-sized labels at least start inside it.
TEST(DesignTables, ControlsLieInsideTheirParents) {
  const auto rows = ByName(MainFormDesign());
  for (const auto& row : MainFormDesign().controls) {
    if (std::string_view(row.parent).empty()) continue;
    const ControlDesign& parent = *rows.at(row.parent);
    EXPECT_GE(row.left, 0) << row.name;
    EXPECT_GE(row.top, 0) << row.name;
    EXPECT_LE(row.left + row.width, parent.width) << row.name << " in " << parent.name;
    EXPECT_LE(row.top + row.height, parent.height) << row.name << " in " << parent.name;
    EXPECT_LT(row.left, parent.width) << row.name;
    EXPECT_LT(row.top, parent.height) << row.name;
    if (row.kind != Kind::Label) {
      EXPECT_GT(row.width, 0) << row.name;
      EXPECT_GT(row.height, 0) << row.name;
    }
  }
}

}  // namespace
}  // namespace ui

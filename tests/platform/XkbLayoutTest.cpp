#include "platform/XkbLayout.h"

#include <xkbcommon/xkbcommon.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using plat::KeyMap;

// A keymap in the text form an X server or a compositor hands out, compiled from the
// installed layouts as setxkbmap -layout LAYOUTS would.
std::string KeymapText(const char* layouts) {
  const std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS),
                                                                           &xkb_context_unref);
  const xkb_rule_names names{"evdev", "pc105", layouts, "", ""};
  const std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
      xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS), &xkb_keymap_unref);
  if (!keymap) return {};
  const std::unique_ptr<char, decltype(&std::free)> text(
      xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1), &std::free);
  return text.get();
}

TEST(XkbLayoutTest, JisExactlyWhenTheFirstLayoutTypesOnTheYenAndTheRoKey) {
  EXPECT_EQ(plat::KeyMapOfKeymapText(KeymapText("jp")), KeyMap::Jis);
  EXPECT_EQ(plat::KeyMapOfKeymapText(KeymapText("jp,us")), KeyMap::Jis);
  EXPECT_EQ(plat::KeyMapOfKeymapText(KeymapText("us")), KeyMap::Us);
  EXPECT_EQ(plat::KeyMapOfKeymapText(KeymapText("us,jp")), KeyMap::Us);  // jp waits in the second group
  EXPECT_EQ(plat::KeyMapOfKeymapText(KeymapText("de")), KeyMap::Us);
  // A Brazilian keyboard has a key at the ro key's place, and no yen key.
  EXPECT_EQ(plat::KeyMapOfKeymapText(KeymapText("br")), KeyMap::Us);
}

TEST(XkbLayoutTest, AKeymapAsSentWithItsNulReadsAndNoKeymapReadsAsNothing) {
  const std::string jp = KeymapText("jp");
  ASSERT_FALSE(jp.empty());
  EXPECT_EQ(plat::KeyMapOfKeymapText(std::string(jp) + '\0'), KeyMap::Jis);
  EXPECT_EQ(plat::KeyMapOfKeymapText(""), std::nullopt);
  EXPECT_EQ(plat::KeyMapOfKeymapText(jp.substr(0, jp.size() / 2)), std::nullopt);
  EXPECT_EQ(plat::KeyMapOfKeymapText("jp"), std::nullopt);  // a layout name is no keymap
}

}  // namespace

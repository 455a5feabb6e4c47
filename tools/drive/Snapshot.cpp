#include "tools/drive/Snapshot.h"

#include <cstdio>
#include <type_traits>

#include "app/Game.h"
#include "app/TForm2.h"
#include "platform/Cp932.h"
#include "tools/drive/Json.h"

namespace drive {
namespace {

const char* KindName(ui::Kind k) {
  switch (k) {
    case ui::Kind::Panel: return "panel";
    case ui::Kind::Label: return "label";
    case ui::Kind::Image: return "image";
    case ui::Kind::CheckBox: return "checkbox";
    case ui::Kind::Edit: return "edit";
    case ui::Kind::Memo: return "memo";
    case ui::Kind::Button: return "button";
    case ui::Kind::SpeedButton: return "speedbutton";
    case ui::Kind::GroupBox: return "groupbox";
    case ui::Kind::RadioButton: return "radiobutton";
  }
  return "control";
}

std::string Hex(ui::Color c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(c & 0xFFFFFF));
  return buf;
}

std::string BytesText(const std::string& bytes) { return plat::cp932::ToUtf8(bytes); }

// One value of the play state, by its type.
void Put(Json& j, int32_t v) { j.Number(v); }
void Put(Json& j, uint8_t v) { j.Number(v); }
void Put(Json& j, uint16_t v) { j.Number(v); }
void Put(Json& j, float v) { j.Real(v); }
void Put(Json& j, const std::string& bytes) { j.String(BytesText(bytes)); }
void Put(Json& j, const game::TextRef& t) { j.String(BytesText(t.View())); }
template <size_t N>
void Put(Json& j, const game::TextBuffer<N>& t) {
  j.String(BytesText(t.View()));
}
void Put(Json& j, const plat::SharedFile& f) { j.Bool(f.IsOpen()); }
template <class T, size_t N>
void Put(Json& j, const std::array<T, N>& a) {
  j.BeginArray();
  for (const T& v : a) Put(j, v);
  j.EndArray();
}
template <class T>
void Put(Json& j, const std::vector<T>& a) {
  j.BeginArray();
  for (const T& v : a) Put(j, v);
  j.EndArray();
}

void PutState(Json& j, const game::PlayState& s) {
  j.BeginObject();
  game::ForEachField(s, [&](const char* name, const auto& value) {
    j.Key(name);
    Put(j, value);
  });
  j.EndObject();
}

void PutDate(Json& j, const game::DatRecord::Date& d) {
  j.BeginObject().Key("Year").Number(d.Year).Key("Month").Number(d.Month).Key("Day").Number(d.Day).EndObject();
}

void PutRecord(Json& j, const game::DatRecord& r) {
  j.BeginObject();
  j.Key("RankEntries").BeginArray();
  for (int t = 0; t < 21; ++t) {
    j.BeginArray();
    for (int rank = 0; rank < 10; ++rank) {
      const game::TRankEntry e = r.RankEntry(t, rank);
      j.BeginObject();
      j.Key("Name").String(BytesText(std::string(e.Name.begin(), e.Name.end())));
      j.Key("Score").Number(e.Score).Key("Good").Number(e.Good).Key("Miss").Number(e.Miss);
      j.EndObject();
    }
    j.EndArray();
  }
  j.EndArray();
  j.Key("Checksum").Number(r.Checksum());
  j.Key("StartDate");
  PutDate(j, r.StartDate());
  j.Key("TotalKeys").Number(r.TotalKeys());
  j.Key("GoodKeys").Number(r.GoodKeys());
  j.Key("MissKeys").Number(r.MissKeys());
  const auto pt = r.PlayTime();
  j.Key("PlayTime").BeginObject().Key("Hours").Number(pt.Hours).Key("Minutes").Number(pt.Minutes);
  j.Key("Seconds").Number(pt.Seconds).Key("Hundredths").Number(pt.Hundredths).EndObject();
  j.Key("ModeUse").BeginArray();
  for (int d = 0; d < 3; ++d) {
    j.BeginArray();
    for (int m = 0; m < 7; ++m) j.Number(r.ModeUse(d, m));
    j.EndArray();
  }
  j.EndArray();
  j.Key("OtherModeUse").Number(r.OtherModeUse());
  j.Key("DrillTotal").Number(r.DrillTotal());
  j.Key("LastDate");
  PutDate(j, r.LastDate());
  j.Key("TodayGood").Number(r.TodayGood());
  j.Key("CertGrades").BeginArray();
  for (int i = 0; i < 21; ++i) j.Number(r.CertGradeAt(i));
  j.EndArray();
  const auto name = r.CertName();
  std::string nameBytes(name.begin(), name.end());
  nameBytes = nameBytes.substr(0, nameBytes.find('\0'));
  j.Key("CertName").String(BytesText(nameBytes));
  j.Key("SwitchBits").Number(r.SwitchBits());
  j.Key("OptionBits").Number(r.OptionBits());
  std::string hex;
  hex.reserve(game::DatRecord::kSize * 2);
  static const char* digits = "0123456789abcdef";
  for (uint8_t b : r.Bytes()) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  j.Key("hex").String(hex);
  j.EndObject();
}

void PutControl(Json& j, const ui::Control& c, const char* formName) {
  j.Key(c.Name()).BeginObject();
  j.Key("kind").String(KindName(c.GetKind()));
  j.Key("parent").String(c.Parent() ? c.Parent()->Name() : formName);
  j.Key("visible").Bool(c.Visible());
  j.Key("caption").String(c.Caption());
  j.Key("left").Number(c.Left()).Key("top").Number(c.Top());
  j.Key("width").Number(c.Width()).Key("height").Number(c.Height());
  j.Key("font_height").Number(c.FontHeight());
  j.Key("font_color").String(Hex(c.FontColor()));
  j.Key("color").String(Hex(c.BackColor()));
  bool transparent = false;
  if (auto* l = dynamic_cast<const ui::Label*>(&c)) transparent = l->Transparent();
  if (auto* i = dynamic_cast<const ui::Image*>(&c)) transparent = i->Transparent();
  j.Key("transparent").Bool(transparent);
  j.Key("enabled").Bool(c.Enabled());
  j.Key("hint").String(c.Hint());
  if (auto* b = dynamic_cast<const ui::CheckBox*>(&c)) j.Key("checked").Bool(b->Checked());
  if (auto* t = dynamic_cast<const ui::TextField*>(&c)) j.Key("text").String(t->TextUtf8());
  if (auto* p = dynamic_cast<const ui::Panel*>(&c)) j.Key("bevel_width").Number(p->BevelWidth());
  if (auto* i = dynamic_cast<const ui::Image*>(&c)) {
    j.Key("canvas").BeginArray();
    for (const ui::CanvasText& t : const_cast<ui::Image*>(i)->Canvas().Texts()) {
      j.BeginObject().Key("x").Number(t.x).Key("y").Number(t.y).Key("color").String(Hex(t.color));
      j.Key("text").String(t.text).EndObject();
    }
    j.EndArray();
  }
  j.EndObject();
}

// The romaji screen as the issue names its keys.
template <class F>
void ForEachRomajiField(const romaji::RomajiScreen::View& v, F&& f) {
  f("list", v.list);
  f("text", v.text);
  f("reading", v.reading);
  f("typed", v.typed);
  f("guide", v.guide);
  f("done", v.done);
  f("good", v.good);
  f("miss", v.miss);
  f("kana_done", v.kanaDone);
}

void PutRomaji(Json& j, const romaji::RomajiScreen::View& v) {
  j.BeginObject();
  ForEachRomajiField(v, [&j](const char* name, const auto& value) {
    j.Key(name);
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
      j.String(value);
    else
      j.Number(value);
  });
  j.EndObject();
}

}  // namespace

std::optional<std::string> RomajiFieldText(app::TForm2& form, const std::string& field) {
  if (!form.Screens().Shown(game::Screen::Romaji)) return std::nullopt;
  std::optional<std::string> result;
  ForEachRomajiField(form.Romaji().Snapshot(), [&](const char* name, const auto& value) {
    if (field != name) return;
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
      result = value;
    else
      result = std::to_string(value);
  });
  return result;
}

std::string FormatDateTime(const plat::LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return buf;
}

std::string Snapshot(app::Game& game, plat::VirtualPlatform& platform) {
  app::TForm2& form = game.Form();
  Json j;
  j.BeginObject();
  const ui::Panel* screen = form.VisibleScreen();
  j.Key("screen");
  if (screen)
    j.String(screen->Name());
  else
    j.Null();
  j.Key("client").BeginObject().Key("width").Number(form.ClientWidth());
  j.Key("height").Number(form.ClientHeight()).EndObject();
  j.Key("clock").BeginObject().Key("tick").Number(platform.TickCount());
  j.Key("now").String(FormatDateTime(platform.Now())).EndObject();
  j.Key("state");
  PutState(j, form.State());
  if (form.Screens().Shown(game::Screen::Romaji)) {
    j.Key("romaji");
    PutRomaji(j, form.Romaji().Snapshot());
  }
  j.Key("record");
  PutRecord(j, form.State().DatRecord);
  j.Key("controls").BeginObject();
  for (const auto& c : form.Controls().All()) PutControl(j, *c, "TForm2");
  for (const auto& c : game.NameDialog().Controls().All()) PutControl(j, *c, "TForm9");
  j.EndObject();
  j.Key("timers").BeginObject();
  for (ui::Timer* t : form.Timers()) {
    j.Key(t->Name()).BeginObject().Key("enabled").Bool(t->Enabled());
    j.Key("interval").Number(t->Interval()).EndObject();
  }
  j.EndObject();
  j.Key("messages").BeginArray();
  for (const auto& m : platform.Messages()) {
    j.BeginObject().Key("kind").String(m.kind).Key("text").String(m.text);
    j.Key("caption").String(m.caption);
    if (m.kind == "question") j.Key("answer").String(m.answer);
    j.EndObject();
  }
  j.EndArray();
  j.Key("help").BeginArray();
  for (const auto& h : platform.HelpFiles()) j.String(h);
  j.EndArray();
  j.EndObject();
  return j.Text();
}

std::optional<std::string> StateFieldText(const game::PlayState& state, const std::string& field) {
  std::optional<std::string> result;
  game::ForEachField(state, [&](const char* name, const auto& value) {
    if (result || field != name) return;
    using V = std::decay_t<decltype(value)>;
    if constexpr (std::is_same_v<V, std::string>) {
      result = BytesText(value);
    } else if constexpr (std::is_same_v<V, game::TextRef>) {
      result = BytesText(value.View());
    } else if constexpr (requires { value.View(); }) {
      result = BytesText(value.View());
    } else {
      Json j;
      Put(j, value);
      result = j.Text();
    }
  });
  return result;
}

}  // namespace drive

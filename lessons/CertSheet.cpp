#include "lessons/CertSheet.h"

#include <string>
#include <string_view>

#include "game/Digits.h"
#include "game/Modes.h"
#include "platform/Cp932.h"
#include "ui/Controls.h"

namespace lessons {

namespace {

// The templates, as CP932 bytes; their fields are filled at byte positions.
std::string Cp932(std::string_view utf8) { return plat::cp932::FromUtf8(utf8).value_or(std::string()); }

void Put(std::string& text, size_t pos, std::string_view bytes) {
  for (size_t i = 0; i < bytes.size() && pos + i < text.size(); ++i) text[pos + i] = bytes[i];
}

// Full-width "１".."８" for a grade; "--" for none (or for a value no grade can have).
std::string GradeDigit(int grade) {
  if (grade < 1 || grade > game::kLowestGrade) return "--";
  return std::string{'\x82', static_cast<char>(0x4F + grade)};
}

std::string TimeField(int durationIndex) {
  switch (durationIndex) {
    case 0: return " 30";
    case 1: return " 60";
    case 2: return "120";
    default: return "@30";
  }
}

int Multiplier(int durationIndex) {
  switch (durationIndex) {
    case 1: return 2;
    case 2: return 4;
    default: return 1;
  }
}

// The lessons (mode 7) have no grades: the right-hand column then shows ABC.
size_t ShownMode(int mode) { return mode >= 0 && mode < game::kTimedModes ? static_cast<size_t>(mode) : 0; }

// The name as it is printed: at most 10 bytes, control bytes as spaces and a double-byte
// character cut by the end as a space, so the text after the name keeps its place.
// A NUL ends the name when `stopAtNul` (the registered-name line), else it is a space.
std::string PrintableName(const std::array<uint8_t, 10>& name, bool stopAtNul) {
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    const uint8_t b = name[i];
    if (b == 0 && stopAtNul) break;
    if (plat::cp932::IsLeadByte(b)) {
      if (i + 1 < name.size() && name[i + 1] >= 0x40) {
        out.push_back(static_cast<char>(b));
        out.push_back(static_cast<char>(name[++i]));
      } else {
        out.push_back(' ');
      }
    } else {
      out.push_back(b < 0x20 ? ' ' : static_cast<char>(b));
    }
  }
  return out;
}

}  // namespace

CertSheet::CertSheet(game::PlayState& state, ui::MainControls& c, plat::Platform& platform)
    : s_(state), C(c), platform_(platform) {}

std::string CertSheet::RegisteredNameLine() const {
  return Cp932("登録名:") + PrintableName(s_.DatRecord.CertName(), true);
}

// The certificate is drawn on LmI1 even while hidden; the record table on LmI2 and Image8.
void CertSheet::DrawCertSheet(int grade) {
  if (grade < 0 || grade > game::kLowestGrade) grade = 0;
  ui::Canvas& sheet = C.LmI1->Canvas();
  ui::Canvas& records = C.LmI2->Canvas();
  ui::Canvas& info = C.Image8->Canvas();
  sheet.Fill(ui::clr::Navy);
  sheet.SetBrushColor(ui::clr::Navy);
  for (ui::Canvas* canvas : {&records, &info}) {
    canvas->Fill(ui::clr::Black);
    canvas->SetBrushColor(ui::clr::Black);
  }
  const ui::FormDesign& window = ui::MainFormDesign();
  for (ui::Canvas* canvas : {&sheet, &records, &info}) {
    canvas->SetFace(window.face);
    canvas->SetFontHeight(window.fontHeight);
  }
  sheet.SetFontColor(ui::clr::White);

  if (grade != 0) {
    C.LmI1->Show();
  } else {
    C.LmI1->Hide();
    const std::string line = RegisteredNameLine();
    C.LmP3->SetCaptionBytes(line);
    if (s_.DatRecord.CertName()[0] == 0)
      C.Panel8->SetCaption("< 未登録 >");
    else
      C.Panel8->SetCaptionBytes(line);
  }

  DrawCertificate(grade);
  DrawRecordTable(grade);
}

void CertSheet::DrawCertificate(int grade) {
  ui::Canvas& sheet = C.LmI1->Canvas();
  const size_t mode = ShownMode(s_.Mode);

  std::string gradeLine = Cp932("第XX級 XXX(XXX)");
  if (grade != 0) Put(gradeLine, 2, GradeDigit(grade));
  std::string dateLine = Cp932("xxxx年 xx月 xx日 hao develop");
  const plat::LocalDateTime now = platform_.Now();
  std::string year = "XXXXX";
  game::FormatDigits5(year, 0, now.year);
  Put(dateLine, 0, year.substr(1));
  game::FormatDigits2(dateLine, 7, now.month);
  game::FormatDigits2(dateLine, 12, now.day);
  Put(gradeLine, 11, TimeField(s_.DurationIndex));

  auto row = [&](int column, int row, ui::Color colour, const std::string& text) {
    sheet.SetFontColor(colour);
    sheet.TextOut(game::GridX(column), game::GridY(row), text);
  };
  row(0, 0, ui::clr::White, Cp932("++++++      認      定     ++++++"));
  Put(gradeLine, 7, game::kModeNames[mode]);
  row(14, 2, ui::clr::Yellow, gradeLine);
  std::string scoreLine = Cp932("得点 XXXXX      XXXXXXXXXX殿");
  game::FormatDigits5(scoreLine, 5, s_.Score);
  Put(scoreLine, 16, PrintableName(s_.DatRecord.CertName(), false));
  row(3, 4, ui::clr::Lime, scoreLine);
  row(1, 7, ui::clr::Aqua, Cp932("　あなたは、キーボード練習[DOJKA] "));
  row(1, 9, ui::clr::Aqua, Cp932("において、上記の位に値することを"));
  row(1, 11, ui::clr::Aqua, Cp932("ここに認定します."));
  row(1, 14, ui::clr::White, dateLine);
}

// Left: the grade of every mode at every time setting. Right: what each grade needs in
// the mode and time setting just played, the grade just awarded in lime.
void CertSheet::DrawRecordTable(int grade) {
  auto both = [&](int column, int row, ui::Color colour, const std::string& text) {
    for (ui::Canvas* canvas : {&C.LmI2->Canvas(), &C.Image8->Canvas()}) {
      canvas->SetFontColor(colour);
      canvas->TextOut(game::GridX(column), game::GridY(row), text);
    }
  };
  both(6, 0, ui::clr::Aqua, Cp932("認定級"));
  both(0, 2, ui::clr::Yellow, Cp932("種別 [30][60][120]"));
  for (int m = 0; m < game::kTimedModes; ++m) {
    std::string line = " XXX  XX  XX  XX";
    Put(line, 1, game::kModeNames[static_cast<size_t>(m)]);
    for (int d = 0; d < 3; ++d) Put(line, 6 + 4 * static_cast<size_t>(d), GradeDigit(s_.DatRecord.CertGrade(d, m)));
    both(0, 3 + m, ui::clr::White, line);
  }

  const size_t mode = ShownMode(s_.Mode);
  std::string heading = "XXX(XXX)";
  Put(heading, 0, game::kModeNames[mode]);
  Put(heading, 4, TimeField(s_.DurationIndex));
  both(20, 0, ui::clr::Yellow, heading);
  both(20, 1, ui::clr::Aqua, Cp932("級 SCORE"));
  const int base = Multiplier(s_.DurationIndex) * game::PlayState::CertBase[mode];
  for (int g = game::kLowestGrade; g >= 1; --g) {
    std::string line = "XX XXXXX";
    Put(line, 0, GradeDigit(g));
    game::FormatDigits5(line, 3, game::PlayState::CertStep[mode] * (game::kLowestGrade - g) + base);
    both(20, g + 1, g == grade ? ui::clr::Lime : ui::clr::White, line);
  }
}

}  // namespace lessons

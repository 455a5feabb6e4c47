#include "lessons/TForm9.h"

#include <QKeyEvent>

#include "platform/Cp932.h"
#include "platform/Keyboard.h"
#include "ui/Controls.h"

namespace lessons {

TForm9::TForm9(game::PlayState& state, ui::ControlSet::Widgets widgets)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(state) {
  const ui::FormDesign& design = ui::NameDialogDesign();
  setObjectName(QString::fromUtf8(design.name));
  setWindowTitle(QString::fromUtf8(design.caption));
  setFixedSize(design.clientWidth, design.clientHeight);
  setFont(ui::MakeFont(design.face, design.fontHeight));
  controls_.Build(design, this, widgets);
  C.Bind(controls_);
  C.F9B1->OnClick = [this](ui::Control&) { F9B1Click(); };
  C.F9M1->OnKeyDown = [this](ui::TextField&, uint16_t& vk) { F9M1KeyDown(vk); };
  focus_ = C.F9M1;
  if (!controls_.Late()) PrepareField();
}

TForm9::~TForm9() = default;

void TForm9::BuildWidgets() {
  if (widgetsBuilt_) return;
  controls_.MaterializeAll();
  PrepareField();
}

// The name is typed through the input method, into the field that has the focus.
void TForm9::PrepareField() {
  widgetsBuilt_ = true;
  C.F9M1->Widget()->setAttribute(Qt::WA_InputMethodEnabled, true);
  C.F9M1->Widget()->setFocus();
}

void TForm9::showEvent(QShowEvent* event) {
  BuildWidgets();
  QDialog::showEvent(event);
}

void TForm9::OnKeyDown(uint16_t vk, plat::ShiftState) {
  if (focus_ == C.F9M1 && C.F9M1->OnKeyDown) C.F9M1->OnKeyDown(*C.F9M1, vk);
}

void TForm9::OnKeyChar(uint8_t ch) {
  if (!isVisible()) return;
  if (focus_ == C.F9M1) C.F9M1->TypeChar(ch);
  if (focus_ == C.F9B1 && (ch == plat::ch::Enter || ch == plat::ch::Space)) C.F9B1->Click();
}

void TForm9::OnKeyUp(uint16_t, plat::ShiftState) {}

void TForm9::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// The memo's bytes, padded with spaces to ten; a longer text never cuts a character.
void TForm9::StoreName() {
  std::array<uint8_t, 10> name;
  name.fill(' ');
  const std::string_view text = plat::cp932::FitBytes(C.F9M1->Text(), name.size());
  for (size_t i = 0; i < text.size(); ++i) name[i] = static_cast<uint8_t>(text[i]);
  s_.DatRecord.SetCertName(name);
}

void TForm9::F9B1Click() {
  StoreName();
  if (OnButtonStored) OnButtonStored();
  accept();
}

void TForm9::F9M1KeyDown(uint16_t& vk) {
  if (vk != 13) return;
  StoreName();
  accept();
}

}  // namespace lessons

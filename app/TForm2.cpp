#include "app/TForm2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <new>
#include <utility>

#include "app/HistoryRecorder.h"
#include "app/Logo.h"
#include "app/Pictures.h"
#include "lessons/TForm9.h"
#include "platform/Cp932.h"
#include "platform/Files.h"
#include "platform/ShippedFiles.h"

namespace app {

// The title's credit line while the built-in word list stands in for a missing file.
constexpr char kBuiltinWordListCredit[] = "(c) dojokai project  内蔵単語";

TForm2::TForm2(plat::Platform& platform, ui::ControlSet::Widgets widgets)
    : Timer1(platform, "Timer1", 50), F1T1(platform, "F1T1", 100), FLT1(platform, "FLT1", 100),
      F8T1(platform, "F8T1", 1000), platform_(platform), texts_(s_, platform, random_), keyCaps_(C), missStats_(s_, C),
      rankTables_(s_, screens_, C, F8T1, missStats_),
      drillRun_(s_, screens_, C, platform, options_, F1T1, F8T1, keyCaps_, missStats_, rankTables_, texts_),
      modeSelect_(s_, screens_, C, platform, random_, F1T1, drillRun_, wordList_),
      romaji_(s_, screens_, C, platform, options_, rankTables_), lessons_(s_, screens_, C, platform, random_, FLT1),
      certSheet_(s_, C, platform), certification_(s_, screens_, C, certSheet_), config_(s_, options_, platform),
      settings_(s_, screens_, C, options_, config_), dataFile_(s_, options_, platform, config_), title_(*this),
      help_(s_, C, platform), scaling_(s_, controls_, C, {&Timer1, &F8T1, &F1T1, &FLT1}, *this, platform) {
  // The form resource: black, 12-pixel Gothic, key preview, no input method.
  const ui::FormDesign& design = ui::MainFormDesign();
  setObjectName(QString::fromUtf8(design.name));
  setWindowTitle(QString::fromUtf8(design.caption));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor::fromRgb(design.color));
  setPalette(pal);
  setAutoFillBackground(true);
  setFont(ui::MakeFont(design.face, design.fontHeight));
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setFocusPolicy(Qt::StrongFocus);
  resize(design.clientWidth, design.clientHeight);
  controls_.Build(design, this, widgets);
  C.Bind(controls_);
  screenPanels_ = {C.F7Panel, C.F4Panel, C.F8Panel, C.LmPanel, C.F1Panel, C.F6Panel,
                   C.Panel11, C.F5Panel, C.FLPanel, C.Panel1,  C.RjPanel};
  screens_.OnChange = [this](game::Screen screen, bool shown) { PanelOf(screen)->SetVisible(shown); };
  screens_.OnInfoPanel = [this](bool open) { C.Panel6->SetVisible(open); };
  ApplyPictures();
  WireEvents();
  platform_.Keys().SetSink(this);
  OnKanaLock(platform_.KanaLock());
  qApp->installEventFilter(this);

  s_.DatRecord.ResetDataRecord({static_cast<uint16_t>(platform_.Now().year),
                                static_cast<uint8_t>(platform_.Now().month),
                                static_cast<uint8_t>(platform_.Now().day)});
  FormCreate();
  Construct();
  history_ = std::make_unique<HistoryRecorder>(*this);
}

TForm2::~TForm2() {
  // No tick runs into a window half taken down (events sent while its widgets go).
  for (ui::Timer* timer : Timers()) timer->SetEnabled(false);
  qApp->removeEventFilter(this);
  if (platform_.Keys().Sink() == this) platform_.Keys().SetSink(nullptr);
}

void TForm2::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    platform_.Error(e.what(), "");
  } catch (...) {
    platform_.Error("", "");
  }
}

// The window's create event, before the constructor body.
void TForm2::FormCreate() {
  C.Label5->SetCaption("<20210714p>");
  const std::string version = platform_.VersionText();
  C.Label4->SetCaption("ver " + (version.empty() ? std::string("...") : version));
}

void TForm2::Construct() {
  // 1-2: uptime reference and the key legend.
  s_.StartSeconds = static_cast<int32_t>(platform_.TickCount() / 1000);
  s_.UptimeSeconds = 0;
  C.Label38->SetCaption("I ｷｰ 内部情報\n+ ｷｰ MISSﾘﾐｯﾀｰ\nX ｷｰ 著作情報\nV ｷｰ 版情報\nZ ｷｰ ???");

  // 3: every screen covers the client area; none but the title keeps its outer bevel.
  for (ui::Panel* screen : screenPanels_) {
    screen->SetBounds(0, 0, screen->Width(), screen->Height());
    if (screen != C.Panel1) screen->SetBevelOuter(ui::Bevel::None);
  }
  C.Label45->SetCaption("");

  // 5: the options of the configuration file, then the saved records.
  config_.ResolveConfig();
  settings_.ShowOptions();
  dataFile_.LoadDataFile();

  // 6-7: mode select and the splash timer.
  modeSelect_.ShowModeCaption(0);
  C.F6P3->SetFontColor(ui::clr::Yellow);
  C.F6P2->SetCaption(" 30s");
  F8T1.SetEnabled(false);
  F8T1.SetInterval(1000);

  // 8: the drill-end splash picture.
  PaintSplashPicture();

  // 9: the judgement screen starts without messages.
  s_.CertPassed = 0;
  for (ui::Label* l : {C.LmL1, C.LmL2, C.LmL3, C.LmL4}) l->Hide();

  // 10: the lesson screen's keyboard and ending text.
  C.FLP10->SetBounds(8, 104, C.FLP10->Width(), C.FLP10->Height());
  C.FLM1->SetBounds(34, 96, C.FLM1->Width(), C.FLM1->Height());
  C.FLL10->Hide();
  lessons_.StartLessonCourse();
  C.FLP10->SetColor(ui::clr::Black);

  // 11: the white character to type lies exactly over the text window.
  C.F1L15->Move(C.F1L9->Left(), C.F1L9->Top());

  // 12: drill state.
  for (auto& mode : s_.CheckpointBest)
    for (auto& time : mode) time.fill(0);
  s_.DrillText = {reinterpret_cast<const uint8_t*>(game::kAlphabetText), sizeof game::kAlphabetText - 1};
  s_.Score = s_.Good = s_.Miss = 0;
  s_.GoodSinceStart = 0;
  s_.TypedChar = 0;
  s_.DrillWindow.Assign(std::string("     ") + std::string(game::kAlphabetText, 6));
  s_.TextPos = 0;
  s_.LookaheadPos = 5;

  // 13: random texts; the drill keyboard's lid and panel.
  texts_.PrepareRandomTexts();
  C.F1P1->SetBevelOuter(ui::Bevel::None);
  C.F1P3->SetColor(ui::clr::Black);
  C.F1P1->SetCaption("");

  // 14: the title waits for its intro.
  C.Image2->SetTop(-100);
  C.Image2->Hide();
  for (ui::Control* c :
       std::initializer_list<ui::Control*>{C.Image1,  C.Label1,  C.Panel4,  C.Label3,  C.Label6,  C.Label7,  C.Label2,
                                           C.Label8,  C.Label9,  C.Label10, C.Label11, C.Label21, C.Label24, C.Label25,
                                           C.Label22, C.Label45, C.Label47, C.Label48, C.Label49, C.Label50, C.Label51})
    c->Hide();
  for (ui::Label* l : {C.Label1, C.Label4, C.Label5}) l->SetFontColor(ui::clr::Navy);

  // 15-18: the design client size.
  SetClientHeight(300);
  SetClientWidth(480);
  C.Image2->SetBounds(C.Image2->Left(), C.Image2->Top(), 100, 100);
  screens_.SetInfoPanel(false);
  C.Panel6->SetColor(ui::clr::Black);
  for (ui::Control* c : std::initializer_list<ui::Control*>{C.Panel7, C.Image6, C.Image7, C.Image8, C.Panel8})
    c->Hide();
  s_.InfoPage = 0;
  C.Panel6->SetBounds(6, 0, C.Panel6->Width(), C.Panel6->Height());
  C.Image3->SetBounds(0, 0, C.Image3->Width(), C.Image3->Height());
  s_.BaseClientWidth = 480;
  s_.BaseClientHeight = 300;

  // 19: the geometry table, 24 bytes for each control the window owns.
  try {
    s_.GeometryTable.resize(controls_.All().size());
    s_.GeometryTableReady = 1;
  } catch (const std::bad_alloc&) {
    platform_.Error("メモリ不足", "");
    close();
  }

  // 20: design geometry for scaling.
  scaling_.RecordIndividualControls();
  scaling_.CaptureGeometry();
  s_.GeometryCaptured = 1;

  // 21-22: drawing surfaces painted later.
  PrepareCanvases();
  screens_.Show(game::Screen::Judgement);
  screens_.Hide(game::Screen::Judgement);

  // 23-24: the HAO text starts as random letters, then the generator is seeded afresh.
  for (size_t i = 0; i < 65000; ++i) s_.LatinWordText.bytes[i] = static_cast<uint8_t>('a' + random_.Next() % 26);
  random_.Seed(static_cast<uint32_t>(platform_.CalendarSeconds()));

  // 25-28: word list and the first information page.
  LoadWordList();
  title_.DrawInfoPage1();
  romaji_.SetFolders(plat::ShippedFolderPath(platform_.ProgramPath(), "romaji"), config_.Folders().data + "romaji/");

  // 30-33: window position for a maximised start, the logo, caption, and the title timer.
  if (s_.MaximizeAtStart) move(-4, 0);
  if (options_.loadLogo) LoadLogoPictures();
  setWindowTitle(QStringLiteral("DOJOKAI"));
  Timer1.SetEnabled(true);
}

void TForm2::PaintSplashPicture() {
  ui::Canvas& canvas = C.F8I1->Canvas();
  canvas.Fill(ui::clr::Black);
  canvas.SetBrushColor(ui::clr::Black);
  canvas.SetFontHeight(12);
  canvas.SetFontColor(ui::clr::White);
  // The form resource's outer window size: its client area and the frame around it.
  const int outerWidth = ui::MainFormDesign().clientWidth + 16;
  const int outerHeight = ui::MainFormDesign().clientHeight + 39;
  canvas.Reserve(static_cast<size_t>((outerHeight / 10 + 1) * (outerWidth / 8 + 1)));
  for (int y = 0; y <= outerHeight; y += 10)
    for (int x = 0; x <= outerWidth; x += 8) canvas.TextOutUtf8(x, y, "X");
}

void TForm2::PrepareCanvases() {
  struct Surface {
    ui::Image* image;
    int points;
    bool sample;
  };
  for (const Surface& s :
       {Surface{C.LmI1, 9, true}, Surface{C.LmI2, 8, false}, Surface{C.F4I2, 8, true}, Surface{C.F4I1, 8, true},
        Surface{C.Image7, 9, true}, Surface{C.Image6, 8, true}, Surface{C.Image8, 9, true}}) {
    ui::Canvas& canvas = s.image->Canvas();
    canvas.SetBrushColor(ui::clr::Black);
    canvas.SetFontSize(s.points);
    if (s.sample) canvas.TextOutUtf8(0, 0, "_abc");
  }
}

void TForm2::LoadLogoPictures() {
  // Each file on its own; a missing or broken one is passed over silently. Beside the
  // program, else (an install, whose program folder the player cannot write) with the
  // player's records.
  for (const char* ext : {".jpg", ".bmp"}) {
    const std::string beside = plat::ChangeExtension(platform_.ProgramPath(), ext);
    const std::string own = config_.Folders().data + beside.substr(beside.rfind('/') + 1);
    const QImage picture = LoadPicture(plat::FileExists(beside) ? beside : own);
    if (!picture.isNull()) C.Image3->SetPicture(picture);
  }
}

// A size set here is scaled at once, as a nested resize; the toolkit's own resize event
// for the same size then finds nothing to do.
void TForm2::SetClientWidth(int w) {
  resize(w, height());
  FormResize();
}

void TForm2::SetClientHeight(int h) {
  resize(width(), h);
  FormResize();
}

void TForm2::FormResize() {
  if (size() == scaledSize_ && s_.InputEnabled) return;
  if (s_.InputEnabled) scaledSize_ = size();
  scaling_.FormResize();
}

// The pictures of the form: start picture, logo, prompt, data-file icon, 100 % glyph and
// the two pictures of the about screen.
// The start picture is the first frame; the others are drawn when first shown.
void TForm2::ApplyPictures() {
  C.Image3->SetPictureSource(pictures::StartPicture);  // drawn by the first paint, once the window is mapped
  C.Image2->SetPictureSource(pictures::Logo);
  C.Image1->SetPictureSource(pictures::Prompt);
  C.Image4->SetPictureSource(pictures::DataStateIcon);
  C.SpeedButton2->SetGlyph(pictures::HundredPercentGlyph());
  C.F5I1->SetPictureSource(pictures::AboutPicture1);
  C.F5I2->SetPictureSource(pictures::AboutPicture2);
}

// The word list the game ships with, or the built-in one; the title's credit line and the
// about screen say which.
void TForm2::LoadWordList() {
  wordList_.Load(plat::ShippedFilePath(platform_.ProgramPath(), ".bin"));
  const drill::WordList::LoadResult result = wordList_.Finish(random_);
  if (result.builtin) C.Label1->SetCaption(kBuiltinWordListCredit);
  C.F5L9->SetCaption(result.aboutText);
}

void TForm2::ShowNameDialog() {
  if (!nameDialog_) return;
  nameDialog_->C.F9M1->SetText("");
  nameDialog_->OnButtonStored = [this] { DrawSwitchLabels(); };
  platform_.RunModal(*nameDialog_);
}

void TForm2::Maximize() { showMaximized(); }
void TForm2::Restore() { showNormal(); }

void TForm2::SetFocusTo(ui::Control* control) {
  focus_ = control;
  if (control && control->Widget()) control->Widget()->setFocus();
}

ui::Panel* TForm2::PanelOf(game::Screen screen) const { return screenPanels_[static_cast<size_t>(screen)]; }

ui::Panel* TForm2::VisibleScreen() const { return screens_.AnyShown() ? PanelOf(screens_.Current()) : nullptr; }

void TForm2::OpenStatistics() {
  if (history_) history_->OpenStatistics();
}

void TForm2::Timer1Timer() {
  title_.Timer1Timer();
  if (screens_.Shown(game::Screen::Romaji)) romaji_.Tick();
  const bool typing = TypingRuns();
  if (typing) {
    wasTyping_ = true;
  } else if (std::exchange(wasTyping_, false)) {
    dataFile_.SaveChanges();
  } else {
    dataFile_.SaveAsGameGoes();
  }
}

int TForm2::Timer1QuietTicks() const {
  // While keys are judged nothing is saved; of the drills, the drill screen's puts off the
  // title's ticks between its keys and seconds (the key that comes first brings them).
  if (TypingRuns()) return screens_.Shown(game::Screen::Romaji) ? 0 : title_.DrillQuietTicks();
  if (wasTyping_) return 0;
  return std::min(title_.QuietTicks(), dataFile_.QuietSaveCalls(Timer1.Interval()));
}

bool TForm2::TypingRuns() const {
  if (screens_.Shown(game::Screen::Romaji) && romaji_.Running()) return true;
  if (F1T1.Enabled() && screens_.Shown(game::Screen::Drill)) return true;
  // The drill screen stays shown under the splash, the name entry and the results.
  if (screens_.Shown(game::Screen::Splash) || screens_.Shown(game::Screen::NameEntry) ||
      screens_.Shown(game::Screen::Results))
    return false;
  // The lesson timer runs from the start; only its screen tells a lesson is on.
  if (!screens_.AnyShown()) return false;
  const game::Screen screen = screens_.Current();
  return screen == game::Screen::Drill || screen == game::Screen::Lessons;
}

void TForm2::KeepPendingResult() {
  if (F8T1.Enabled()) rankTables_.F8T1Timer();
  if (screens_.Shown(game::Screen::NameEntry)) rankTables_.ConfirmName(plat::vk::Return);
}

plat::KeyboardChoice TForm2::UseKeyboard(std::optional<plat::KeyMap> commandLine,
                                         const std::function<std::optional<plat::KeyMap>()>& detect) {
  const plat::KeyboardChoice choice = plat::ChooseKeyMap(commandLine, config_.KeyboardSetting(), detect);
  platform_.Keys().SetMap(choice.map);
  settings_.ShowKeyboard(choice);
  return choice;
}

void TForm2::EmergencyClose() {
  dataFile_.SetQuiet(true);
  emergency_ = true;
  FormClose();
}

void TForm2::FormClose() {
  if (closed_) return;
  closed_ = true;
  KeepPendingResult();
  dataFile_.SaveDataFile();
  dataFile_.CloseDataFile();
  if (history_) history_->SaveNow(!emergency_);
  if (s_.GeometryTableFilled) {
    s_.GeometryTable.clear();
    s_.GeometryTable.shrink_to_fit();
  }
}

void TForm2::closeEvent(QCloseEvent* event) {
  Guard([this] { FormClose(); });
  for (ui::Timer* t : Timers()) t->SetEnabled(false);
  event->accept();
  // The game ends with its window: its statistics window and its manual close with it, so
  // that the program ends too.
  if (history_) history_->CloseStatistics();
  platform_.CloseHelp();
}

void TForm2::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Guard([this] { FormResize(); });
}

void TForm2::WireEvents() {
  Timer1.OnTimer = [this] { Guard([this] { Timer1Timer(); }); };
  Timer1.SetQuietTicks([this] { return Timer1QuietTicks(); });
  FLT1.SetQuietTicks([this] { return lessons_.QuietTicks(); });
  F1T1.OnTimer = [this] { Guard([this] { drillRun_.F1T1Timer(); }); };
  F8T1.OnTimer = [this] { Guard([this] { rankTables_.F8T1Timer(); }); };
  FLT1.OnTimer = [this] { Guard([this] { lessons_.FLT1Timer(); }); };
  rankTables_.SetFocus = [this](ui::Control* c) { SetFocusTo(c); };
  rankTables_.OpenJudgement = [this] { certification_.OpenJudgement(); };
  modeSelect_.StartLessonCourse = [this] { lessons_.StartLessonCourse(); };
  modeSelect_.StartRomaji = [this](int kind) {
    romaji_.Open(kind == 0 ? romaji::Kind::Words : romaji::Kind::Phrases, s_.DurationIndex);
  };
  romaji_.SetHistory([this]() -> records::History* { return history_ ? &history_->History() : nullptr; });
  settings_.SetFocus = [this](ui::Control* c) { SetFocusTo(c); };
  settings_.SaveRecords = [this] { dataFile_.SaveAsGameGoes(); };
  dataFile_.DrawSwitchLabels = [this] { title_.DrawSwitchLabels(); };
  dataFile_.ShowFirstRankTable = [this] {
    rankTables_.ShowRankTable(0);
    C.F4I1->Hide();
    C.F4I2->Hide();
    C.F4P3->Hide();
  };
  auto click = [this](ui::Control* c, auto handler) {
    c->OnClick = [this, handler](ui::Control& sender) { Guard([&] { handler(sender); }); };
  };
  // Clicks that stand for keys: the synthetic key arrives after the click.
  click(C.Label48, [this](ui::Control&) {
    s_.IdleTicks = 0;
    platform_.InjectKey(plat::vk::Escape);
  });
  for (ui::Control* c : std::initializer_list<ui::Control*>{C.F6L3, C.F1P50, C.FLP9})
    click(c, [this](ui::Control&) { platform_.InjectKey(plat::vk::Escape); });
  click(C.F6L20, [this](ui::Control&) { platform_.InjectKey(plat::vk::Return); });
  click(C.F5P1, [this](ui::Control&) {
    screens_.Show(game::Screen::Title);
    screens_.Hide(game::Screen::About);
  });
  click(C.Button1, [this](ui::Control&) { settings_.Button1Click(); });
  click(C.Button2, [this](ui::Control&) { dataFile_.Button2Click(); });
  click(C.Button3, [this](ui::Control&) { dataFile_.Button3Click(); });
  // The options follow their boxes at once.
  for (ui::Control* c :
       std::initializer_list<ui::Control*>{C.CheckBox1, C.CheckBox2, C.CheckBox4, C.CheckBox5, C.CheckBox6, C.CheckBox7,
                                           C.RadioButton1, C.RadioButton2, C.RadioButton3})
    click(c, [this](ui::Control& box) { settings_.OptionClicked(box); });
  // So do those of the second settings page, the romaji settings and the sounds.
  for (ui::Control* c : std::initializer_list<ui::Control*>{C.RSRadioButton1, C.RSRadioButton2, C.RSRadioButton3,
                                                            C.RSCheckBox1, C.RSCheckBox2, C.RSCheckBox3})
    click(c, [this](ui::Control& box) { settings_.OptionClicked(box); });
  click(C.RSButton1, [this](ui::Control&) { settings_.ShowRomajiPage(true); });
  click(C.RSButton2, [this](ui::Control&) { settings_.ShowRomajiPage(false); });
  dataFile_.OnStatus = [this](const records::DataFileStatus& status) { settings_.ShowDataFile(status); };
  // Mode select: a click chooses, a double click starts.
  for (ui::Control* c :
       std::initializer_list<ui::Control*>{C.F6L11, C.F6L12, C.F6L13, C.F6L14, C.F6L15, C.F6L16, C.F6L17, C.F6L5}) {
    click(c, [this](ui::Control& sender) { modeSelect_.F6L11Click(sender.Tag()); });
    c->OnDblClick = [this](ui::Control& sender) { Guard([&] { modeSelect_.F6L11DblClick(sender.Tag()); }); };
  }
  for (ui::Control* c : std::initializer_list<ui::Control*>{C.F6L22, C.F6L23})
    c->OnDblClick = [this](ui::Control& sender) { Guard([&] { modeSelect_.F6L22DblClick(sender.Tag()); }); };
  click(C.RjP1, [this](ui::Control&) { romaji_.EscClick(); });
  click(C.RjP3, [this](ui::Control&) { romaji_.LeaveResults(); });
  click(C.F6P3, [this](ui::Control&) { modeSelect_.F6P3Click(); });
  click(C.F6P2, [this](ui::Control&) { modeSelect_.F6P2Click(); });
  // Results, name entry and judgement.
  click(C.F7P1, [this](ui::Control&) { rankTables_.F7P1Click(); });
  click(C.F4P1, [this](ui::Control&) { rankTables_.LeaveResults(); });
  click(C.LmP1, [this](ui::Control&) { certification_.JudgementKey(); });
  // The title's clicks.
  click(C.Label1, [this](ui::Control&) { title_.Label1Click(); });
  for (ui::Control* c :
       std::initializer_list<ui::Control*>{C.Label6, C.Label7, C.Label2, C.Label9, C.Label10, C.Label11})
    click(c, [this](ui::Control& sender) { title_.Label6Click(sender.Tag()); });
  click(C.Label8, [this](ui::Control&) { title_.Label8Click(); });
  click(C.Label47, [this](ui::Control&) { title_.Label47Click(); });
  click(C.Label49, [this](ui::Control&) { title_.Label49Click(); });
  click(C.Label12, [this](ui::Control&) { title_.Label49Click(); });
  click(C.Label51, [this](ui::Control&) { help_.ToggleBriefHelp(); });
  click(C.Panel4, [this](ui::Control&) { help_.OpenHelpFile(); });
  click(C.SpeedButton2, [this](ui::Control&) { scaling_.SpeedButton2Click(); });
  C.Image2->OnDblClick = [this](ui::Control&) { Guard([this] { scaling_.Image2DblClick(); }); };
  for (ui::Label* l : {C.Label47, C.Label48, C.Label49}) {
    l->OnMouseDown = [this, l](ui::Control&, ui::MouseButton b) {
      title_.Label47MouseDown(b == ui::MouseButton::Left, l);
    };
    l->OnMouseUp = [this, l](ui::Control&, ui::MouseButton) { title_.Label47MouseUp(l); };
  }
  click(C.Label50, [this](ui::Control&) {
    s_.IdleTicks = 0;
    settings_.OpenSettings();
  });
}

}  // namespace app

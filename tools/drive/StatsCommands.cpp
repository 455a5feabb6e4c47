#include "tools/drive/StatsCommands.h"

#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <cmath>

#include "app/HistoryRecorder.h"
#include "app/TForm2.h"
#include "stats/RomajiPage.h"
#include "stats/StatsModel.h"
#include "stats/StatsWindow.h"
#include "stats/TrendView.h"
#include "tools/drive/Json.h"

namespace drive {

namespace {

QString Name(uint8_t ch) { return QString::fromStdString(stats::CharName(ch)); }

stats::StatsWindow& OpenWindow(app::TForm2& form) {
  if (!form.History().Window() || !form.History().Window()->isVisible()) form.History().OpenStatistics();
  return *form.History().Window();
}

// A trend selection: "all" (-1) or a number 0..`last`; `command` names the command in the error.
int Selection(LineReader& r, const char* what, int last, const std::string& command) {
  const std::string choice = r.PlainWord(what);
  r.End();
  if (choice == "all") return -1;
  int selection = -1;
  try {
    selection = std::stoi(choice);
  } catch (const std::exception&) {
  }
  if (selection < 0 || selection > last)
    throw ScriptError(command + " takes all or a number 0.." + std::to_string(last));
  return selection;
}

// Clicks a button of the statistics window by its object name, as a player would.
void ClickButton(QWidget& parent, const char* name, const char* what) {
  auto* button = parent.findChild<QPushButton*>(QString::fromLatin1(name));
  if (!button || !button->isEnabled()) throw ScriptError(std::string("the ") + what + " button is not enabled");
  button->click();
}

// stats romaji trend|kana|confusions | select all|KIND*4+TIME | practice
void RomajiCommand(stats::StatsWindow& w, LineReader& r) {
  const std::string what = r.PlainWord("trend, kana, confusions, select or practice");
  w.ShowTab(stats::StatsWindow::kRomaji);
  stats::RomajiPage& page = w.Romaji();
  static const char* kViews[] = {"trend", "kana", "confusions"};
  for (int v = 0; v < stats::RomajiPage::kViews; ++v)
    if (what == kViews[v]) {
      r.End();
      page.ShowView(v);
      return;
    }
  if (what == "select") {
    const int selection = Selection(r, "all or KIND*4+TIME", 7, "stats romaji select");
    page.ShowView(stats::RomajiPage::kTrend);
    page.SelectTrend(selection);
  } else if (what == "practice") {
    r.End();
    page.ShowView(stats::RomajiPage::kKana);
    ClickButton(page, "KanaPracticeButton", "kana practice");
  } else {
    throw ScriptError("stats romaji takes trend, kana, confusions, select or practice");
  }
}

}  // namespace

std::string StatsJson(app::TForm2& form) {
  records::History& h = form.History().History();
  h.Flush();
  QJsonObject root;
  static const char* kStatus[] = {"closed", "writable", "read-only", "unavailable"};
  root["file"] = QString::fromStdString(h.Path());
  root["status"] = kStatus[static_cast<int>(h.GetStatus())];
  root["queued"] = static_cast<qint64>(h.Queued());
  QJsonArray drills;
  for (const records::DrillEntry& d : h.Drills()) {
    QJsonObject o;
    o["id"] = static_cast<qint64>(d.id);
    o["started"] = QString::fromStdString(d.started);
    o["mode"] = d.mode;
    o["time_setting"] = d.timeSetting;
    o["score"] = d.score;
    o["good"] = d.good;
    o["miss"] = d.miss;
    o["duration_ms"] = static_cast<qint64>(d.durationMs);
    o["keys_per_second"] = std::round(d.keysPerSecond * 1000) / 1000;
    o["place"] = d.place;
    o["certification"] = QString::fromStdString(d.certification);
    o["practice"] = d.practice;
    o["ended_by"] = QString::fromStdString(d.endedBy);
    QJsonArray keys;
    for (const records::KeyFigures& k : h.KeysOfDrill(d.id)) {
      QJsonObject r;
      r["char"] = Name(k.ch);
      r["targeted"] = static_cast<qint64>(k.targeted);
      r["missed"] = static_cast<qint64>(k.missed);
      r["mean_ms"] = std::round(k.MeanMs() * 10) / 10;
      keys.append(r);
    }
    o["keys"] = keys;
    QJsonArray confusions;
    for (const records::ConfusionFigures& c : h.ConfusionsOfDrill(d.id)) {
      QJsonObject r;
      r["target"] = Name(c.target);
      r["typed"] = Name(c.typed);
      r["count"] = static_cast<qint64>(c.count);
      confusions.append(r);
    }
    o["confusions"] = confusions;
    drills.append(o);
  }
  root["drills"] = drills;
  QJsonArray lessons;
  for (const records::LessonEntry& l : h.Lessons())
    lessons.append(QJsonObject{
        {"at", QString::fromStdString(l.at)}, {"lesson", l.lesson}, {"misses", l.misses}, {"passed", l.passed}});
  root["lessons"] = lessons;
  QJsonArray certs;
  for (const records::CertEntry& c : h.Certifications())
    certs.append(QJsonObject{{"at", QString::fromStdString(c.at)},
                             {"drill", static_cast<qint64>(c.drillId)},
                             {"mode", c.mode},
                             {"time_setting", c.timeSetting},
                             {"score", c.score},
                             {"grade", c.grade},
                             {"result", QString::fromStdString(c.result)}});
  root["certifications"] = certs;
  QJsonArray romaji;
  for (const records::RomajiDrillEntry& d : h.RomajiDrills()) {
    QJsonObject o;
    o["id"] = static_cast<qint64>(d.id);
    o["started"] = QString::fromStdString(d.started);
    o["list"] = QString::fromStdString(d.list);
    o["kind"] = d.kind;
    o["time_setting"] = d.timeSetting;
    o["score"] = d.score;
    o["good"] = d.good;
    o["miss"] = d.miss;
    o["duration_ms"] = static_cast<qint64>(d.durationMs);
    o["entries"] = d.entries;
    o["kana"] = d.kana;
    o["fewest_keys"] = d.fewestKeys;
    o["keys_per_second"] = std::round(d.keysPerSecond * 1000) / 1000;
    o["kana_per_minute"] = std::round(d.kanaPerMinute * 10) / 10;
    o["accuracy"] = std::round(d.accuracy * 1000) / 1000;
    o["place"] = d.place;
    o["practice"] = d.practice;
    o["ended_by"] = QString::fromStdString(d.endedBy);
    QJsonArray kana;
    for (const records::KanaFigures& k : h.RomajiKanaOfDrill(d.id))
      kana.append(QJsonObject{{"kana", QString::fromStdString(k.kana)},
                              {"targeted", static_cast<qint64>(k.targeted)},
                              {"missed", static_cast<qint64>(k.missed)},
                              {"mean_ms", std::round(k.MeanMs() * 10) / 10}});
    o["kana_figures"] = kana;
    QJsonArray confusions;
    for (const records::RomajiConfusion& c : h.RomajiConfusionsOfDrill(d.id))
      confusions.append(QJsonObject{{"expected", QString(QChar::fromLatin1(c.expected))},
                                    {"typed", QString(QChar::fromLatin1(c.typed))},
                                    {"count", static_cast<qint64>(c.count)}});
    o["confusions"] = confusions;
    romaji.append(o);
  }
  root["romaji_drills"] = romaji;
  QJsonArray tables;
  for (const auto& [list, time] : h.RomajiTables()) {
    QJsonArray ranks;
    for (const records::RomajiRank& r : h.RomajiTop10(list, time))
      ranks.append(QJsonObject{{"name", QString::fromStdString(r.name)},
                               {"score", r.score},
                               {"good", r.good},
                               {"miss", r.miss},
                               {"at", QString::fromStdString(r.at)}});
    tables.append(QJsonObject{{"list", QString::fromStdString(list)}, {"time_setting", time}, {"ranks", ranks}});
  }
  root["romaji_top10"] = tables;
  if (stats::StatsWindow* w = form.History().Window()) {
    root["window_open"] = w->isVisible();
    root["views"] = w->Figures();
  } else {
    root["window_open"] = false;
  }
  Json j(Json::Layout::Indented);
  j.Value(root);
  return j.Text() + "\n";
}

void StatsCommand(app::TForm2& form, LineReader& r, std::ostream& out) {
  const std::string what = r.PlainWord("stats command");
  if (what == "open") {
    r.End();
    form.History().OpenStatistics();
  } else if (what == "close") {
    r.End();
    if (form.History().Window()) form.History().Window()->close();
  } else if (what == "tab") {
    const std::string name = r.PlainWord("tab name");
    r.End();
    static const char* kTabs[] = {"trend", "keys", "confusions", "volume", "romaji"};
    int tab = -1;
    for (int i = 0; i < 5; ++i)
      if (name == kTabs[i]) tab = i;
    if (tab < 0) throw ScriptError("stats tab takes trend, keys, confusions, volume or romaji");
    OpenWindow(form).ShowTab(tab);
  } else if (what == "layer") {
    const std::string name = r.PlainWord("latin or kana");
    r.End();
    if (name != "latin" && name != "kana") throw ScriptError("stats layer takes latin or kana");
    OpenWindow(form).SetLayer(name == "latin" ? stats::Layer::Latin : stats::Layer::Kana);
  } else if (what == "select") {
    OpenWindow(form).Trend().Select(Selection(r, "all or MODE*4+TIME", 27, "stats select"));
  } else if (what == "practice") {
    r.End();
    stats::StatsWindow& w = OpenWindow(form);
    w.ShowTab(stats::StatsWindow::kKeys);
    ClickButton(w, "PracticeButton", "practice");
  } else if (what == "romaji") {
    RomajiCommand(OpenWindow(form), r);
  } else if (what == "dump") {
    const std::string file = r.PlainWord("file");
    r.End();
    WriteDump(file, StatsJson(form), out);
  } else if (what == "export") {
    const std::string file = r.PlainWord("file");
    r.End();
    if (!OpenWindow(form).ExportCsv(file)) throw ScriptError("cannot write " + file);
  } else {
    throw ScriptError("unknown stats command: " + what);
  }
  QCoreApplication::processEvents();
}

QImage StatsShot(app::TForm2& form) {
  stats::StatsWindow* w = form.History().Window();
  if (!w || !w->isVisible()) return {};
  // The charts lay themselves out in posted events: let them run before the picture.
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  const QSize size = w->size();
  w->resize(size + QSize(1, 1));
  QCoreApplication::processEvents();
  w->resize(size);
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  return w->grab().toImage();
}

}  // namespace drive

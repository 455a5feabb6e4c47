// The floor of a typed drill: a bare window of the game's size with the drill's text strip,
// one key cap showing the next key and a counter of the keys. A right key moves the strip on
// by one letter; each widget asks to repaint its own rectangle only. What it costs is the
// least a Qt program showing the same can cost.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include "tools/bench/floor/FloorFirstFrame.h"

namespace {

constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz";
constexpr int kLetters = 26, kShown = 11;

QFont Monospace(int pixels) {
  QFont font(QStringLiteral("monospace"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(pixels);
  return font;
}

// The letters still to type, from the next one on.
class TextStrip : public QWidget {
 public:
  explicit TextStrip(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(Monospace(13));  // 11 letters in 88 pixels
  }
  void Advance(int at) {
    at_ = at;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    QString text;
    for (int i = 0; i < kShown; ++i) text += QLatin1Char(kAlphabet[(at_ + i) % kLetters]);
    p.setPen(Qt::magenta);
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
  }

 private:
  int at_ = 0;
};

// The cap of the next key, marked by its colour.
class KeyCap : public QWidget {
 public:
  explicit KeyCap(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(Monospace(16));
  }
  void Show(char key) {
    key_ = key;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(Qt::white);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::green);
    p.drawText(rect(), Qt::AlignCenter, QString(QLatin1Char(key_)).toUpper());
  }

 private:
  char key_ = 'a';
};

class Drill : public QWidget {
 public:
  Drill() {
    setFixedSize(480, 300);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::cyan);
    setPalette(palette);
    setAutoFillBackground(true);
    strip_ = new TextStrip(this);
    strip_->setGeometry(198, 68, 88, 16);
    cap_ = new KeyCap(this);
    cap_->setGeometry(40, 180, 32, 32);
    counter_ = new QLabel(QStringLiteral("GOOD: 0"), this);
    counter_->setFont(Monospace(12));
    counter_->setGeometry(300, 40, 100, 16);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->text() != QString(QLatin1Char(kAlphabet[at_ % kLetters]))) return;
    ++at_;
    strip_->Advance(at_);
    cap_->Show(kAlphabet[at_ % kLetters]);
    counter_->setText(QStringLiteral("GOOD: %1").arg(at_));
  }

 private:
  TextStrip* strip_;
  KeyCap* cap_;
  QLabel* counter_;
  int at_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const timespec mainEntered = floorbench::Now();
  QApplication app(argc, argv);
  Drill window;
  window.show();
  floorbench::ReportFirstFrameIfAsked(window, mainEntered);
  return QApplication::exec();
}

#include "app/Game.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include "platform/Fonts.h"
#include "platform/RealPlatform.h"

namespace app {

Game::Game(plat::Platform& platform) {
  form_ = std::make_unique<TForm2>(platform);
  dialog_ = std::make_unique<lessons::TForm9>(form_->State(), platform);
  form_->SetNameDialog(dialog_.get());
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    if (!form_->State().MaximizeAtStart) form_->move(area.center() - form_->rect().center());
    dialog_->move(area.center() - dialog_->rect().center());
    // The window can be neither smaller than the design size nor larger than the screen.
    form_->setMinimumSize(480, 300);
    form_->setMaximumSize(screen->size());
  }
  if (!form_->Closed()) form_->show();
}

Game::~Game() {
  dialog_.reset();
  form_.reset();
}

int RunEntryRoutine(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("dojokai"));
  QApplication::setApplicationDisplayName(QStringLiteral("dojokai"));
  plat::RegisterFontSubstitutions();
  try {
    plat::RealPlatform platform;
    Game game(platform);
    platform.SetMainWindow(&game.Form());
    if (game.Form().Closed()) return 0;
    QApplication::exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("dojokai"), QString::fromLocal8Bit(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QStringLiteral("dojokai"), QString());
  }
  return 0;
}

}  // namespace app

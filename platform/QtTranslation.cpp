#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace plat {

std::unique_ptr<QTranslator> InstallJapaneseDialogs(const std::string& folder) {
  const QString dir =
      folder.empty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : QString::fromStdString(folder);
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_ja"), dir)) return nullptr;
  if (!QCoreApplication::installTranslator(translator.get())) return nullptr;
  return translator;
}

}  // namespace plat

#include "widgets/QtTranslations.h"

#include "base/AtomicFile.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

#include <memory>

namespace zv {

QTranslator* InstallGermanQtTranslations(const std::filesystem::path& programFolder) {
    const QString folders[] = {QString::fromStdString(PathToUtf8(programFolder)),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString& folder : folders) {
        auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (!folder.isEmpty() && translator->load(QStringLiteral("qtbase_de"), folder) &&
            QCoreApplication::installTranslator(translator.get())) {
            return translator.release();
        }
    }
    return nullptr;
}

} // namespace zv

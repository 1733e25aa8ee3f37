#include "app/Startup.h"
#include "base/ProgramFolder.h"
#include "catchlog/ui/TfrmMain.h"
#include "widgets/GuardedApplication.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

int main(int argc, char** argv) {
    zv::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvorin"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    // Qt's own dialogs (file and colour dialogs, context menus of edit
    // fields) in German where the translations are installed.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    // Every fixed file is resolved against the folder of the executable.
    const auto programFolder = zv::ProgramFolderOfExecutable(argc > 0 ? argv[0] : nullptr);
    std::unique_ptr<zv::TfrmMain> main = zv::CreateForms(programFolder);
    if (const QScreen* screen = main->screen()) {
        const QRect area = screen->availableGeometry();
        main->move(area.center() - QPoint(main->width() / 2, main->height() / 2));
    }
    main->show();
    return app.exec();
}

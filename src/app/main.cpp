#include "app/Startup.h"
#include "app/TfrmMain.h"
#include "base/ProgramFolder.h"
#include "widgets/GuardedApplication.h"
#include "widgets/QtTranslations.h"

#include <QLocale>
#include <QScreen>

int main(int argc, char** argv) {
    zv::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvorin"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    // Every fixed file is resolved against the folder of the executable.
    const auto programFolder = zv::ProgramFolderOfExecutable(argc > 0 ? argv[0] : nullptr);
    // Qt's own dialogs and their questions in German.
    zv::InstallGermanQtTranslations(programFolder);
    std::unique_ptr<zv::TfrmMain> main = zv::CreateForms(programFolder);
    if (const QScreen* screen = main->screen()) {
        const QRect area = screen->availableGeometry();
        main->move(area.center() - QPoint(main->width() / 2, main->height() / 2));
    }
    main->show();
    return app.exec();
}

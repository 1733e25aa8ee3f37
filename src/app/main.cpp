#include "app/Startup.h"
#include "app/TfrmMain.h"
#include "base/ProgramFolder.h"
#include "storage/ProgramFolderSetup.h"
#include "widgets/GuardedApplication.h"
#include "widgets/Prompts.h"
#include "widgets/QtTranslations.h"

#include <QIcon>
#include <QLocale>
#include <QScreen>

int main(int argc, char** argv) {
    zv::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvorin"));
    // The desktop entry's name, so the window gets its icon from the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.zelvorin.Zelvorin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zelvorin/de.zelvorin.Zelvorin.png")));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    const auto executableFolder = zv::ProgramFolderOfExecutable(argc > 0 ? argv[0] : nullptr);
    // Qt's own dialogs and their questions in German.
    zv::InstallGermanQtTranslations(zv::SharedDataFolder(executableFolder));
    // Every fixed file is resolved against the program folder: the portable
    // folder of the executable, or the user's own data folder of an
    // installed program.
    const auto programFolder = zv::ChooseProgramFolder(executableFolder, zv::ProcessEnvironment);
    std::string problem;
    if (programFolder.empty()) {
        problem = "Zelvorin findet keinen Ordner für seine Daten: weder ZELVORIN_HOME noch ein "
                  "Benutzerordner ist bekannt.";
    } else {
        zv::PrepareProgramFolder(programFolder, zv::SharedDataFolder(executableFolder), problem);
    }
    if (!problem.empty()) {
        zv::CurrentPrompts().Error(QString::fromStdString(problem));
        return 1;
    }
    std::unique_ptr<zv::TfrmMain> main = zv::CreateForms(programFolder);
    if (const QScreen* screen = main->screen()) {
        const QRect area = screen->availableGeometry();
        main->move(area.center() - QPoint(main->width() / 2, main->height() / 2));
    }
    main->show();
    return app.exec();
}

#include "base/ProgramFolder.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto programFolder = zv::ProgramFolderOfExecutable(argc > 0 ? argv[0] : nullptr);
    QMainWindow window;
    window.setObjectName("frmMain");
    window.setWindowTitle("Zelvorin");
    auto* label = new QLabel(QString::fromUtf8("Programmordner: ") +
                                 QString::fromStdString(programFolder.string()),
                             &window);
    label->setMargin(12);
    window.setCentralWidget(label);
    window.resize(640, 200);
    window.show();
    return app.exec();
}

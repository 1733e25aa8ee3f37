#include "widgets/QtPrompts.h"

#include "widgets/FileFilter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace zv {

namespace {

QWidget* DialogParent() {
    return QApplication::activeWindow();
}

void ShowOkBox(QMessageBox::Icon icon, const QString& text) {
    CreateOkBox(icon, text, DialogParent())->exec();
}

std::optional<FileChoice> RunFileDialog(const FileDialogOptions& options, bool save) {
    QFileDialog dialog(DialogParent(), options.title, options.initialDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept,
                        save ? QStringLiteral("Speichern") : QStringLiteral("Öffnen"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));

    const std::vector<FileFilterEntry> entries = ParseFileFilter(options.filter);
    const QStringList nameFilters = QtNameFilters(entries);
    QString ext = options.defaultExt;
    if (ext.startsWith(QLatin1Char('.'))) {
        ext.remove(0, 1);
    }
    // A name typed without an extension gets that of the chosen file type
    // ("*.csv"), or the default one where the type has none of its own.
    auto useSuffixOf = [&](int index) {
        const QString& pattern = entries[std::size_t(index)].patterns;
        const QString own = pattern.startsWith(QStringLiteral("*.")) ? pattern.mid(2) : QString();
        const bool plain = !own.isEmpty() && !own.contains(QLatin1Char('*')) &&
                           !own.contains(QLatin1Char('?')) && !own.contains(QLatin1Char(';'));
        dialog.setDefaultSuffix(plain && !ext.isEmpty() ? own : ext);
    };
    dialog.setDefaultSuffix(ext);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        const int index = std::clamp(options.filterIndex, 1, int(nameFilters.size()));
        dialog.selectNameFilter(nameFilters[index - 1]);
        useSuffixOf(index - 1);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&](const QString& filter) {
                             if (const qsizetype at = nameFilters.indexOf(filter); at >= 0) {
                                 useSuffixOf(int(at));
                             }
                         });
    }
    if (!options.fileName.isEmpty()) {
        dialog.selectFile(options.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    FileChoice choice;
    choice.path = dialog.selectedFiles().constFirst();
    const qsizetype selected = nameFilters.indexOf(dialog.selectedNameFilter());
    choice.filterIndex = selected >= 0 ? int(selected) + 1 : 1;
    return choice;
}

} // namespace

std::unique_ptr<QMessageBox> CreateOkBox(QMessageBox::Icon icon, const QString& text,
                                         QWidget* parent) {
    QString title;
    switch (icon) {
    case QMessageBox::Information:
        title = QStringLiteral("Information");
        break;
    case QMessageBox::Warning:
        title = QStringLiteral("Warnung");
        break;
    case QMessageBox::Critical:
        title = QStringLiteral("Fehler");
        break;
    default:
        title = QApplication::applicationName();
        break;
    }
    auto box = std::make_unique<QMessageBox>(icon, title, text, QMessageBox::NoButton, parent);
    // Messages quote file names and the angler's own texts: never markup.
    box->setTextFormat(Qt::PlainText);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    return box;
}

void QtPrompts::Information(const QString& text) {
    ShowOkBox(QMessageBox::Information, text);
}

void QtPrompts::Warning(const QString& text) {
    ShowOkBox(QMessageBox::Warning, text);
}

void QtPrompts::Error(const QString& text) {
    ShowOkBox(QMessageBox::Critical, text);
}

void QtPrompts::Message(const QString& text) {
    ShowOkBox(QMessageBox::NoIcon, text);
}

bool QtPrompts::ConfirmYesNo(const QString& text, PromptAnswer preselected) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), text,
                    QMessageBox::NoButton, DialogParent());
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.setDefaultButton(preselected == PromptAnswer::Yes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

PromptAnswer QtPrompts::ConfirmYesNoCancel(const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), text,
                    QMessageBox::NoButton, DialogParent());
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) {
        return PromptAnswer::Yes;
    }
    if (box.clickedButton() == no) {
        return PromptAnswer::No;
    }
    return PromptAnswer::Cancel;
}

std::unique_ptr<QInputDialog> CreateInputBox(const QString& caption, const QString& prompt,
                                             const QString& defaultText, QWidget* parent) {
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setWindowTitle(caption);
    dialog->setLabelText(prompt);
    dialog->setTextValue(defaultText);
    dialog->setOkButtonText(QStringLiteral("OK"));
    dialog->setCancelButtonText(QStringLiteral("Abbrechen"));
    // The question is often in the title: the box is wide enough for the
    // title bar to show it whole beside its buttons.
    if (auto* label = dialog->findChild<QLabel*>()) {
        label->setMinimumWidth(dialog->fontMetrics().horizontalAdvance(caption) + 140);
    }
    return dialog;
}

std::optional<QString> QtPrompts::InputBox(const QString& caption, const QString& prompt,
                                           const QString& defaultText) {
    const std::unique_ptr<QInputDialog> dialog =
        CreateInputBox(caption, prompt, defaultText, DialogParent());
    if (dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog->textValue();
}

std::optional<FileChoice> QtPrompts::OpenFile(const FileDialogOptions& options) {
    return RunFileDialog(options, false);
}

std::optional<FileChoice> QtPrompts::SaveFile(const FileDialogOptions& options) {
    return RunFileDialog(options, true);
}

std::optional<QColor> QtPrompts::PickColor(const QColor& initial) {
    QColorDialog dialog(initial, DialogParent());
    dialog.setWindowTitle(QStringLiteral("Farbe"));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedColor();
}

} // namespace zv

#pragma once

#include "widgets/Prompts.h"

#include <QInputDialog>
#include <QMessageBox>

#include <memory>

namespace zv {

// The box the one-button prompts show ("Information", "Warnung", "Fehler"
// by icon; no icon: the program's name), built but not shown, so a test can
// render exactly what the angler sees.
std::unique_ptr<QMessageBox> CreateOkBox(QMessageBox::Icon icon, const QString& text,
                                         QWidget* parent = nullptr);

// The one-line input box as InputBox shows it, built but not shown.
std::unique_ptr<QInputDialog> CreateInputBox(const QString& caption, const QString& prompt,
                                             const QString& defaultText, QWidget* parent = nullptr);

// The prompts as German Qt dialogs, parented to the active window.
class QtPrompts : public Prompts {
public:
    void Information(const QString& text) override;
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    void Message(const QString& text) override;
    bool ConfirmYesNo(const QString& text, PromptAnswer preselected = PromptAnswer::Yes) override;
    PromptAnswer ConfirmYesNoCancel(const QString& text) override;
    std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                    const QString& defaultText) override;
    std::optional<FileChoice> OpenFile(const FileDialogOptions& options) override;
    std::optional<FileChoice> SaveFile(const FileDialogOptions& options) override;
    std::optional<QColor> PickColor(const QColor& initial) override;
};

} // namespace zv

#pragma once

#include "widgets/Prompts.h"

namespace zv {

// The prompts as German Qt dialogs, parented to the active window.
class QtPrompts : public Prompts {
public:
    void Information(const QString& text) override;
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    void Message(const QString& text) override;
    bool ConfirmYesNo(const QString& text) override;
    PromptAnswer ConfirmYesNoCancel(const QString& text) override;
    std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                    const QString& defaultText) override;
    std::optional<FileChoice> OpenFile(const FileDialogOptions& options) override;
    std::optional<FileChoice> SaveFile(const FileDialogOptions& options) override;
    std::optional<QColor> PickColor(const QColor& initial) override;
};

} // namespace zv

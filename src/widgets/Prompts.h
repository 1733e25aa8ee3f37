#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

namespace zv {

// What a file dialog is set up with before it is shown. The filter uses the
// "Name|*.ext|Name|*.ext" form; the filter index is 1-based.
struct FileDialogOptions {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString defaultExt; // with or without the leading dot
    QString initialDir;
    QString fileName;
};

// The file the user confirmed and the filter entry (1-based) that was
// selected at that moment: some callers act on the entry, not the extension.
struct FileChoice {
    QString path;
    int filterIndex = 1;
};

enum class PromptAnswer { Yes, No, Cancel };

// Every message box, confirmation, input box, file dialog and colour dialog
// of the program goes through this interface, so tests can answer them.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Information and warning boxes with one "OK" button.
    virtual void Information(const QString& text) = 0;
    virtual void Warning(const QString& text) = 0;
    // An error box ("OK"): failures and values that could not be converted.
    virtual void Error(const QString& text) = 0;
    // A plain message box without an icon.
    virtual void Message(const QString& text) = 0;
    // "Ja" / "Nein": true for Ja. `preselected` is the button Enter
    // presses: "Nein" where the answer replaces much.
    virtual bool ConfirmYesNo(const QString& text,
                              PromptAnswer preselected = PromptAnswer::Yes) = 0;
    // "Ja" / "Nein" / "Abbrechen".
    virtual PromptAnswer ConfirmYesNoCancel(const QString& text) = 0;
    // A one-line input box; nothing when cancelled.
    virtual std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                            const QString& defaultText) = 0;
    virtual std::optional<FileChoice> OpenFile(const FileDialogOptions& options) = 0;
    virtual std::optional<FileChoice> SaveFile(const FileDialogOptions& options) = 0;
    virtual std::optional<QColor> PickColor(const QColor& initial) = 0;
};

// The prompts the windows use. By default the Qt dialogs; tests install a
// scripted implementation. Passing nullptr restores the Qt dialogs.
Prompts& CurrentPrompts();
void SetCurrentPrompts(Prompts* prompts);

} // namespace zv

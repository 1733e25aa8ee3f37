#pragma once

#include "widgets/Prompts.h"

#include <QStringList>

#include <vector>

namespace zv {

enum class PromptKind {
    Information,
    Warning,
    Error,
    Message,
    ConfirmYesNo,
    ConfirmYesNoCancel,
    InputBox,
    OpenFile,
    SaveFile,
    PickColor
};

// One prompt as it was shown.
struct ShownPrompt {
    PromptKind kind = PromptKind::Message;
    QString text; // message, input prompt or dialog title
    FileDialogOptions file;
    PromptAnswer preselected = PromptAnswer::Yes; // of a question
};

// Prompts for tests: records everything that was shown and answers from
// queues filled beforehand. Installs itself as the current prompts for its
// lifetime. A question with no answer queued is answered like a cancel
// (Nein / Abbrechen / nothing chosen) and counted in Unanswered().
class ScriptedPrompts : public Prompts {
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    void AnswerYesNo(bool yes) { yesNo_.answers.push_back(yes); }
    void AnswerYesNoCancel(PromptAnswer answer) { yesNoCancel_.answers.push_back(answer); }
    void AnswerInput(std::optional<QString> text) { inputs_.answers.push_back(text); }
    void AnswerOpenFile(std::optional<FileChoice> choice) { openFiles_.answers.push_back(choice); }
    void AnswerSaveFile(std::optional<FileChoice> choice) { saveFiles_.answers.push_back(choice); }
    void AnswerColor(std::optional<QColor> color) { colors_.answers.push_back(color); }

    const std::vector<ShownPrompt>& Shown() const { return shown_; }
    // Texts of the shown prompts of one kind, in order.
    QStringList Texts(PromptKind kind) const;
    int Unanswered() const { return unanswered_; }
    void Clear();

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

private:
    template <class T> struct AnswerQueue {
        std::vector<T> answers;
        std::size_t next = 0;
    };
    template <class T> T Take(AnswerQueue<T>& queue, T fallback);

    std::vector<ShownPrompt> shown_;
    AnswerQueue<bool> yesNo_;
    AnswerQueue<PromptAnswer> yesNoCancel_;
    AnswerQueue<std::optional<QString>> inputs_;
    AnswerQueue<std::optional<FileChoice>> openFiles_;
    AnswerQueue<std::optional<FileChoice>> saveFiles_;
    AnswerQueue<std::optional<QColor>> colors_;
    int unanswered_ = 0;
};

} // namespace zv

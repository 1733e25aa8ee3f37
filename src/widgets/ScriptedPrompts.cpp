#include "widgets/ScriptedPrompts.h"

namespace zv {

ScriptedPrompts::ScriptedPrompts() {
    SetCurrentPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts() {
    if (&CurrentPrompts() == this) {
        SetCurrentPrompts(nullptr);
    }
}

template <class T> T ScriptedPrompts::Take(AnswerQueue<T>& queue, T fallback) {
    if (queue.next >= queue.answers.size()) {
        ++unanswered_;
        return fallback;
    }
    return queue.answers[queue.next++];
}

QStringList ScriptedPrompts::Texts(PromptKind kind) const {
    QStringList texts;
    for (const ShownPrompt& prompt : shown_) {
        if (prompt.kind == kind) {
            texts << prompt.text;
        }
    }
    return texts;
}

void ScriptedPrompts::Clear() {
    shown_.clear();
    yesNo_ = {};
    yesNoCancel_ = {};
    inputs_ = {};
    openFiles_ = {};
    saveFiles_ = {};
    colors_ = {};
    unanswered_ = 0;
}

void ScriptedPrompts::Information(const QString& text) {
    shown_.push_back({PromptKind::Information, text, {}});
}

void ScriptedPrompts::Warning(const QString& text) {
    shown_.push_back({PromptKind::Warning, text, {}});
}

void ScriptedPrompts::Error(const QString& text) {
    shown_.push_back({PromptKind::Error, text, {}});
}

void ScriptedPrompts::Message(const QString& text) {
    shown_.push_back({PromptKind::Message, text, {}});
}

bool ScriptedPrompts::ConfirmYesNo(const QString& text, PromptAnswer preselected) {
    shown_.push_back({PromptKind::ConfirmYesNo, text, {}, preselected});
    return Take(yesNo_, false);
}

PromptAnswer ScriptedPrompts::ConfirmYesNoCancel(const QString& text) {
    shown_.push_back({PromptKind::ConfirmYesNoCancel, text, {}});
    return Take(yesNoCancel_, PromptAnswer::Cancel);
}

std::optional<QString> ScriptedPrompts::InputBox(const QString& caption, const QString& prompt,
                                                 const QString& defaultText) {
    FileDialogOptions info;
    info.title = caption;
    info.fileName = defaultText;
    shown_.push_back({PromptKind::InputBox, prompt, info});
    return Take(inputs_, std::optional<QString>());
}

std::optional<FileChoice> ScriptedPrompts::OpenFile(const FileDialogOptions& options) {
    shown_.push_back({PromptKind::OpenFile, options.title, options});
    return Take(openFiles_, std::optional<FileChoice>());
}

std::optional<FileChoice> ScriptedPrompts::SaveFile(const FileDialogOptions& options) {
    shown_.push_back({PromptKind::SaveFile, options.title, options});
    return Take(saveFiles_, std::optional<FileChoice>());
}

std::optional<QColor> ScriptedPrompts::PickColor(const QColor& initial) {
    FileDialogOptions info;
    info.fileName = initial.name();
    shown_.push_back({PromptKind::PickColor, QString(), info});
    return Take(colors_, std::optional<QColor>());
}

} // namespace zv

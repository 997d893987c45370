// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ScriptedPlatform.h"

#include <QDialog>

#include <algorithm>

namespace platform {
namespace {

int escapeAnswer(unsigned flags) {
    switch (flags & 0x0F) {
        case MB_YESNO: return IDNO;
        case MB_OKCANCEL: return IDCANCEL;
        default: return IDOK;
    }
}

int takeFront(std::deque<int>& queue) {
    const int front = queue.front();
    queue.pop_front();
    return front;
}

}  // namespace

int ScriptedPlatform::count(Call::Kind kind) const {
    return static_cast<int>(
        std::count_if(calls_.begin(), calls_.end(), [kind](const Call& call) { return call.kind == kind; }));
}

const ScriptedPlatform::Call* ScriptedPlatform::last(Call::Kind kind) const {
    const auto found =
        std::find_if(calls_.rbegin(), calls_.rend(), [kind](const Call& call) { return call.kind == kind; });
    return found == calls_.rend() ? nullptr : &*found;
}

void ScriptedPlatform::clear() {
    calls_.clear();
    messageAnswers_.clear();
    dialogResults_.clear();
}

int ScriptedPlatform::messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags) {
    calls_.push_back({.kind = Call::MessageBox, .text = text, .caption = caption, .flags = flags, .owner = owner});
    if (whileBoxIsUp) whileBoxIsUp();
    return messageAnswers_.empty() ? escapeAnswer(flags) : takeFront(messageAnswers_);
}

void ScriptedPlatform::messageBeep(unsigned type) { calls_.push_back({.kind = Call::Beep, .flags = type}); }

int ScriptedPlatform::execDialog(QDialog& dialog) {
    calls_.push_back({.kind = Call::Dialog, .caption = dialog.windowTitle(), .owner = dialog.parentWidget()});
    if (!dialogResults_.empty()) return takeFront(dialogResults_);
    if (dialogHandler) return dialogHandler(dialog);
    return QDialog::Rejected;
}

bool ScriptedPlatform::writeRegistry(const std::vector<std::pair<QString, QString>>& values) {
    calls_.push_back({.kind = Call::Registry, .values = values});
    return !registryFails;
}

bool ScriptedPlatform::shellOpen(const QString& url) {
    calls_.push_back({.kind = Call::ShellOpen, .url = url});
    return !shellOpenFails;
}

void ScriptedPlatform::renameCloseItem(QWidget& window, const QString& caption) { closeItems_[&window] = caption; }

QString ScriptedPlatform::closeItemOf(const QWidget* window) const {
    const auto found = closeItems_.find(window);
    return found == closeItems_.end() ? QString() : found->second;
}

bool ScriptedPlatform::startDetached(const QString& program, const QStringList& arguments) {
    calls_.push_back({.kind = Call::StartDetached, .program = program, .arguments = arguments});
    return true;
}

}  // namespace platform

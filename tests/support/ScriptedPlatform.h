// SPDX-License-Identifier: GPL-3.0-or-later
// A Platform for tests: records every call in order and answers from a script,
// so that nothing waits on a person.
//
// Message boxes take their answers from answerNext() in FIFO order; with the
// queue empty a box answers as Escape would: IDOK for MB_OK, IDNO for
// MB_YESNO, IDCANCEL for MB_OKCANCEL. Dialogs take their results from
// answerNextDialog() first, then from dialogHandler, else QDialog::Rejected.
// writeRegistry and shellOpen succeed unless registryFails / shellOpenFails.
// A window's Close item caption is kept by window, apart from the calls,
// which are what a person would see or answer.
#pragma once

#include "platform/Platform.h"

#include <deque>
#include <functional>
#include <map>

namespace platform {

class ScriptedPlatform : public Platform {
public:
    struct Call {
        enum Kind { MessageBox, Beep, Dialog, Registry, ShellOpen, StartDetached } kind = MessageBox;
        QString text = {};                                     // message box text
        QString caption = {};                                  // message box caption or dialog window title
        unsigned flags = 0;                                    // message box flags or beep type
        QWidget* owner = nullptr;                              // message box owner or dialog parent
        std::vector<std::pair<QString, QString>> values = {};  // registry values
        QString url = {};
        QString program = {};  // of a program started
        QStringList arguments = {};
    };

    void answerNext(int answer) { messageAnswers_.push_back(answer); }
    void answerNextDialog(int result) { dialogResults_.push_back(result); }
    std::function<int(QDialog&)> dialogHandler;
    // Runs while each message box is up, before it answers: what else may
    // happen then (a signal, a timer).
    std::function<void()> whileBoxIsUp;
    bool registryFails = false;
    bool shellOpenFails = false;

    const std::vector<Call>& calls() const { return calls_; }
    // The caption given to `window`'s Close item; empty when none was.
    QString closeItemOf(const QWidget* window) const;
    int count(Call::Kind kind) const;
    // The latest call of `kind`, or null when there is none.
    const Call* last(Call::Kind kind) const;
    // Forgets the recorded calls and the queued answers; keeps the handlers
    // and the failure switches.
    void clear();

    int messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags) override;
    void messageBeep(unsigned type) override;
    int execDialog(QDialog& dialog) override;
    bool writeRegistry(const std::vector<std::pair<QString, QString>>& values) override;
    bool shellOpen(const QString& url) override;
    void renameCloseItem(QWidget& window, const QString& caption) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;

private:
    std::vector<Call> calls_;
    std::map<const QWidget*, QString> closeItems_;
    std::deque<int> messageAnswers_;
    std::deque<int> dialogResults_;
};

}  // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ScriptedPlatform.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace platform {
namespace {

using Call = ScriptedPlatform::Call;

TEST(ScriptedPlatform, UnscriptedMessageBoxesAnswerAsEscapeWould) {
    ScriptedPlatform platform;
    EXPECT_EQ(platform.messageBox(nullptr, "t", "c", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(platform.messageBox(nullptr, "t", "c", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(platform.messageBox(nullptr, "t", "c", MB_OKCANCEL | MB_ICONWARNING), IDCANCEL);
}

TEST(ScriptedPlatform, AnswersInTheOrderScriptedThenFallsBack) {
    ScriptedPlatform platform;
    platform.answerNext(IDYES);
    platform.answerNext(IDNO);
    EXPECT_EQ(platform.messageBox(nullptr, "a", "c", MB_YESNO), IDYES);
    EXPECT_EQ(platform.messageBox(nullptr, "b", "c", MB_YESNO), IDNO);
    platform.answerNext(IDYES);
    platform.clear();
    EXPECT_EQ(platform.messageBox(nullptr, "c", "c", MB_YESNO), IDNO);
}

TEST(ScriptedPlatform, DialogsTakeQueuedResultsThenTheHandlerThenReject) {
    ScriptedPlatform platform;
    QDialog dialog;
    EXPECT_EQ(platform.execDialog(dialog), QDialog::Rejected);

    int handled = 0;
    platform.dialogHandler = [&handled](QDialog&) {
        ++handled;
        return int(QDialog::Accepted);
    };
    platform.answerNextDialog(QDialog::Rejected);
    EXPECT_EQ(platform.execDialog(dialog), QDialog::Rejected);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(platform.execDialog(dialog), QDialog::Accepted);
    EXPECT_EQ(handled, 1);
}

TEST(ScriptedPlatform, RecordsEveryCallInOrder) {
    ScriptedPlatform platform;
    QWidget owner;
    QDialog dialog(&owner);
    dialog.setWindowTitle("Sündmus");
    platform.registryFails = true;
    platform.shellOpenFails = true;

    platform.messageBeep(MB_ICONWARNING);
    platform.messageBox(&owner, "Tekst", "Pealkiri", MB_YESNO);
    platform.execDialog(dialog);
    EXPECT_FALSE(platform.writeRegistry({{"Nimi", "Mari"}}));
    EXPECT_FALSE(platform.shellOpen("https://example.ee"));
    platform.messageBox(nullptr, "Teine", "Pealkiri", MB_OK);

    const std::vector<Call>& calls = platform.calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[0].kind, Call::Beep);
    EXPECT_EQ(calls[0].flags, unsigned(MB_ICONWARNING));
    EXPECT_EQ(calls[1].kind, Call::MessageBox);
    EXPECT_EQ(calls[1].owner, &owner);
    EXPECT_EQ(calls[1].flags, unsigned(MB_YESNO));
    EXPECT_EQ(calls[2].kind, Call::Dialog);
    EXPECT_EQ(calls[2].caption, "Sündmus");
    EXPECT_EQ(calls[2].owner, &owner);
    EXPECT_EQ(calls[3].values, (std::vector<std::pair<QString, QString>>{{"Nimi", "Mari"}}));
    EXPECT_EQ(calls[4].url, "https://example.ee");

    EXPECT_EQ(platform.count(Call::MessageBox), 2);
    ASSERT_NE(platform.last(Call::MessageBox), nullptr);
    EXPECT_EQ(platform.last(Call::MessageBox)->text, "Teine");
    platform.clear();
    EXPECT_TRUE(platform.calls().empty());
    EXPECT_EQ(platform.last(Call::Beep), nullptr);
}

}  // namespace
}  // namespace platform

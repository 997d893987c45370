// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shut-down of the main window: the data file's first start,
// its failures, the "UUS" record, the home-page question and saving.
#include "app/Collation.h"
#include "app/DBGrid.h"
#include "app/ErrorReporting.h"
#include "app/Unit2.h"
#include "cli/SyncSetup.h"
#include "store/DataFileLock.h"
#include "tests/app/FormFixture.h"
#include "tests/support/UnwritableFolder.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::IDNO;
using platform::IDYES;

class Startup : public FormFixture {};

TEST_F(Startup, FirstStartCreatesTheEmptyFileAndClosingLeavesItAlone) {
    start();
    const std::string created = readFile(dataFile());
    EXPECT_EQ(created.size(), 433u);
    EXPECT_EQ(created, std::string(store::kEmptyPacket) + "\r\n");
    EXPECT_TRUE(form->ClientDataSet1.active());
    EXPECT_EQ(form->ClientDataSet1.Tag, 1);
    EXPECT_EQ(form->Frame11->DBGrid1->model(), form->DataSource1);
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);

    form->close();
    EXPECT_EQ(readFile(dataFile()), created);
    EXPECT_FALSE(form->ClientDataSet1.active());
    EXPECT_EQ(form->ClientDataSet1.Tag, 0);
    EXPECT_EQ(files.replaceCalls, 0);
}

TEST_F(Startup, ClosingAsksTheHomePageQuestionWithoutAnOwner) {
    start();
    desktop.answerNext(IDYES);
    form->close();
    const Call* question = lastBox();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->caption, "WEB");
    EXPECT_EQ(question->text, "Kas soovid külastada programmi kodulehte?");
    EXPECT_EQ(question->flags, platform::MB_YESNO | platform::MB_ICONQUESTION);
    EXPECT_EQ(question->owner, nullptr);
    EXPECT_FALSE(form->isVisible());
    ASSERT_NE(desktop.last(Call::ShellOpen), nullptr);
    EXPECT_EQ(desktop.last(Call::ShellOpen)->url, "http://www.tarvalind.ee/?visitor=Zerizedozi");

    desktop.clear();
    start();
    desktop.answerNext(IDNO);
    form->close();
    EXPECT_EQ(desktop.count(Call::ShellOpen), 0);
}

// The phone gets the window's edits soon after it closes; the window leaves
// the server to the command line and never waits for it.
TEST_F(Startup, ClosingStartsASyncInTheBackgroundWhereSyncIsSetUp) {
    const TempDir config;
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
    start();
    form->close();
    EXPECT_EQ(desktop.count(Call::StartDetached), 0);

    // The default sync belongs to the list in the user's own folder, not to
    // this one: it would merge this list against another's state.
    const auto setUp = [](const std::string& configFile) {
        std::filesystem::create_directories(std::filesystem::path(configFile).parent_path());
        writeFile(configFile, "");
    };
    setUp(cli::syncPaths(dataFile(), true).configFile);
    start();
    form->close();
    EXPECT_EQ(desktop.count(Call::StartDetached), 0);

    setUp(cli::syncPaths(dataFile(), false).configFile);
    desktop.clear();
    start();
    form->close();
    qputenv("XDG_CONFIG_HOME", configHome);

    ASSERT_EQ(desktop.count(Call::StartDetached), 1);
    EXPECT_EQ(desktop.last(Call::StartDetached)->program, QString::fromStdString(dir.path()) + "/zerizedozi-cli");
    EXPECT_EQ(desktop.last(Call::StartDetached)->arguments,
              QStringList({"sync", "--file", QString::fromStdString(dataFile())}));
}

TEST_F(Startup, TheDataFileIsLockedWhileTheListIsOpen) {
    start();
    EXPECT_FALSE(store::DataFileLock(dataFile()).holds()) << "the command line could write under the window";
    form->Frame11DBGrid1TitleClick(3);  // a re-sort closes and opens the store: the lock stays
    EXPECT_FALSE(store::DataFileLock(dataFile()).holds());
    form->close();
    EXPECT_TRUE(store::DataFileLock(dataFile()).holds());
}

TEST_F(Startup, ChangesOfTheRunAreWrittenAtClosing) {
    start({{5, 3, 1980, "Õie Šõmer-Žužžälöü"}});
    form->ClientDataSet1.insert();
    form->ClientDataSet1.setFieldText("Nimi", "Jüri");
    form->ClientDataSet1.setFieldInteger("Paev", 1);
    form->ClientDataSet1.setFieldInteger("Kuu", 2);
    form->ClientDataSet1.setFieldText("Tyyp", "N");
    form->ClientDataSet1.post();
    form->close();
    const auto rows = store::readDataPacket(readFile(dataFile()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], rowOf({5, 3, 1980, "Õie Šõmer-Žužžälöü"}));
    EXPECT_EQ(rows[1].nimi, "Jüri");

    start();
    EXPECT_EQ(gridNames(), "Jüri,Õie Šõmer-Žužžälöü");
    EXPECT_EQ(gridColumn(app::ColVanus), "?,46");
}

TEST_F(Startup, AFailedSaveAsksToTryAgainBeforeClosing) {
    start({{5, 3, 1980, "Mari"}});
    form->ClientDataSet1.deleteRecord();
    const std::string before = readFile(dataFile());
    files.replaceFailures = 2;
    desktop.answerNext(IDYES);  // try again: fails once more
    desktop.answerNext(IDYES);  // and again: now it works
    form->close();
    EXPECT_EQ(files.replaceCalls, 3);
    EXPECT_TRUE(store::readDataPacket(readFile(dataFile())).empty());
    const auto& calls = desktop.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].caption, "Tähelepanu");
    EXPECT_EQ(calls[0].flags, platform::MB_YESNO | platform::MB_ICONERROR);
    EXPECT_TRUE(
        calls[0].text.startsWith("Andmeid ei õnnestunud salvestada faili\r" + QString::fromStdString(dataFile())));
    EXPECT_TRUE(calls[0].text.contains("\r\rPõhjus: kettal pole vaba ruumi\r\r")) << calls[0].text.toStdString();
    EXPECT_TRUE(calls[0].text.endsWith("Kas proovida uuesti?"));
    EXPECT_EQ(calls[2].caption, "WEB");
    EXPECT_NE(before, readFile(dataFile()));

    desktop.clear();
    start({{5, 3, 1980, "Mari"}});
    form->ClientDataSet1.deleteRecord();
    files.replaceFailures = 1;
    desktop.answerNext(IDNO);
    form->close();
    EXPECT_EQ(store::readDataPacket(readFile(dataFile())).size(), 1u);  // the old file, whole
    EXPECT_EQ(desktop.last(Call::MessageBox)->caption, "WEB");
}

// `kill`, a logout without a session manager or a closed terminal: the list
// is saved and the program ends with nobody left to answer a box.
TEST_F(Startup, ATerminationSignalSavesAndEndsWithoutAnyBox) {
    start({{5, 3, 1980, "Mari"}, {6, 3, 1981, "Jaan"}});
    form->ClientDataSet1.deleteRecord();
    form->endOnSignal();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(store::readDataPacket(readFile(dataFile())).size(), 1u);
    EXPECT_TRUE(store::DataFileLock(dataFile()).holds());

    // The disk refuses: told on stderr, and the exit code says so.
    exitCode.reset();
    start({{5, 3, 1980, "Mari"}, {6, 3, 1981, "Jaan"}});
    form->ClientDataSet1.deleteRecord();
    files.replaceFailures = 1;
    testing::internal::CaptureStderr();
    form->endOnSignal();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Andmeid ei õnnestunud salvestada faili"), std::string::npos);
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);
    EXPECT_EQ(store::readDataPacket(readFile(dataFile())).size(), 2u);
}

// A signal while the save-failed question of a close is up tries the save
// once more and ends without the home-page question.
TEST_F(Startup, ATerminationSignalWhileABoxIsUpStillSavesAndEnds) {
    start({{5, 3, 1980, "Mari"}});
    form->ClientDataSet1.deleteRecord();
    files.replaceFailures = 1;
    desktop.whileBoxIsUp = [this] {
        if (!exitCode) form->endOnSignal();
    };
    form->close();
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(store::readDataPacket(readFile(dataFile())).empty());
    ASSERT_EQ(desktop.count(Call::MessageBox), 1);
    EXPECT_EQ(lastBox()->text.left(38), "Andmeid ei õnnestunud salvestada faili");
}

TEST_F(Startup, AnyOtherFailureOfTheClosingSaveIsShownAndClosingGoesOn) {
    start({{5, 3, 1980, "Mari"}});
    form->ClientDataSet1.deleteRecord();
    const std::string before = readFile(dataFile());
    files.replaceRunsOutOfMemory = true;
    form->close();
    const auto& calls = desktop.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].caption, "Zerizedozi");
    EXPECT_EQ(calls[0].text, "std::bad_alloc.");
    EXPECT_EQ(calls[0].flags, platform::MB_OK | platform::MB_ICONERROR);
    EXPECT_EQ(calls[1].caption, "WEB");
    EXPECT_EQ(readFile(dataFile()), before);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Startup, AMissingFileEndsTheProgramAfterTheWarning) {
    files.createFails = true;
    start();
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(form->programEnded());
    ASSERT_EQ(desktop.count(Call::MessageBox), 1);
    EXPECT_EQ(lastBox()->text, "Ei leidnud programmi avamiseks vajalikke faile!");
    EXPECT_EQ(lastBox()->caption, "Tähelepanu");
    EXPECT_EQ(lastBox()->flags, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_EQ(lastBox()->owner, form.get());
    form->close();
    EXPECT_EQ(desktop.count(Call::MessageBox), 1);  // no home-page question
    EXPECT_FALSE(files.exists(dataFile()));
}

TEST_F(Startup, AReadOnlyFileIsMadeWritableQuietly) {
    writeEntries({{5, 3, 1980, "Mari"}});
    ::chmod(dataFile().c_str(), 0444);
    start();
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 1);
    form->close();
    EXPECT_FALSE(files.isReadOnly(dataFile()));
}

TEST_F(Startup, AWriteProtectionThatStaysEndsTheProgramWithItsErrorNumber) {
    writeEntries({});
    ::chmod(dataFile().c_str(), 0444);
    files.clearReadOnlyError = EACCES;
    start();
    EXPECT_EQ(exitCode, 0);
    const auto& calls = desktop.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Call::Beep);
    EXPECT_EQ(calls[0].flags, platform::MB_OK | platform::MB_ICONERROR);
    EXPECT_EQ(calls[1].text, "Andmefailil on kirjutuskaitse, mida pole võimalik eemaldada.\r\rViga: #13");
    EXPECT_EQ(calls[1].flags, platform::MB_OK | platform::MB_ICONERROR);
    EXPECT_FALSE(form->ClientDataSet1.active());
}

TEST_F(Startup, AFolderThatTakesNoNewFilesEndsTheProgramAtStart) {
    writeEntries({{5, 3, 1980, "Mari"}});
    const std::string before = readFile(dataFile());
    const UnwritableFolder folder(dir.path());
    if (!folder.ready()) GTEST_SKIP() << "this file system cannot make a folder refuse files to root";
    start();
    EXPECT_EQ(exitCode, 0);
    const auto& calls = desktop.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Call::Beep);
    EXPECT_EQ(calls[0].flags, platform::MB_OK | platform::MB_ICONERROR);
    EXPECT_EQ(calls[1].text, "Andmefailil on kirjutuskaitse, mida pole võimalik eemaldada.\r\rViga: #" +
                                 QString::number(folder.refusal()));
    EXPECT_EQ(calls[1].caption, "Tähelepanu");
    EXPECT_EQ(calls[1].flags, platform::MB_OK | platform::MB_ICONERROR);
    EXPECT_FALSE(form->ClientDataSet1.active());
    form->close();
    EXPECT_EQ(desktop.calls().size(), 2u);  // no home-page question
    EXPECT_EQ(readFile(dataFile()), before);
}

TEST_F(Startup, ASecondStartBringsTheFirstWindowToTheFrontAndEnds) {
    start();
    form->show();
    QWidget otherProgram;
    otherProgram.show();
    otherProgram.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&otherProgram));

    // The second start reaches the list through a link to its folder, which
    // the program resolves before the window opens.
    const std::string link = dir.path() + "-link";
    std::filesystem::create_directory_symlink(dir.path(), link);
    platform::ScriptedPlatform secondDesktop;
    app::TForm1 second({QString::fromStdString(store::realPathOf(store::dataFilePath(link))),
                        QString::fromStdString(link) + "/zerizedozi",
                        {QStringLiteral("zerizedozi")},
                        secondDesktop,
                        clock,
                        files});
    EXPECT_FALSE(second.claimList());
    std::filesystem::remove(link);
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(secondDesktop.calls().size(), 0u);
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get())) << "the first window did not come to the front";
    EXPECT_FALSE(store::DataFileLock(dataFile()).holds()) << "the first window let go of the list";

    // Once the first window has closed, a new start takes the list.
    form->close();
    app::TForm1 third(
        {QString::fromStdString(dataFile()), {}, {QStringLiteral("zerizedozi")}, secondDesktop, clock, files});
    EXPECT_TRUE(third.claimList());
}

// The list read ahead while Qt started is taken as it is, while the file
// is the one read; a file changed since is read again.
class ReadAhead : public FormFixture, public testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(Startup, ReadAhead, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FileChangedSince" : "FileUnchanged"; });

TEST_P(ReadAhead, TheWindowTakesTheListReadAheadOnlyWhileItsFileIsUnchanged) {
    writeEntries({{5, 3, 1980, "Mari"}, {1, 1, 1975, "Jüri"}});
    std::optional<store::ClientDataSet::ReadRows> read =
        store::ClientDataSet::readAhead(files, store::realPathOf(dataFile()), store::IndexDef{}, &app::nameOrder());
    if (GetParam()) writeEntries({{5, 3, 1980, "Mari"}, {1, 1, 1975, "Jüri"}, {2, 2, 2000, "Uus"}});
    files.readCalls = 0;
    create({QStringLiteral("zerizedozi")}, [&read] { return std::move(read); });
    form->FormActivate();
    EXPECT_EQ(files.readCalls, GetParam() ? 1 : 0);
    EXPECT_EQ(form->ClientDataSet1.recordCount(), GetParam() ? 3 : 2);
    EXPECT_EQ(form->ClientDataSet1.viewRow(0).nimi, "Jüri");
}

TEST_F(Startup, AWindowThatDoesNotAnswerIsToldInABox) {
    const store::DataFileLock hungWindow(dataFile());
    ASSERT_TRUE(hungWindow.holds());
    create();
    form->claimPatience = std::chrono::milliseconds(300);
    form->FormActivate();
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(desktop.count(Call::MessageBox), 1);
    EXPECT_EQ(lastBox()->text, "Tähtpäevade nimekiri on juba teises aknas avatud.");
    EXPECT_EQ(lastBox()->caption, "Tähelepanu");
    EXPECT_EQ(lastBox()->flags, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_FALSE(files.exists(dataFile())) << "the list was touched";
}

TEST_F(Startup, ALockFileThatCannotServeIsRefusedAsTheCommandLineRefusesIt) {
    const std::string lockFile = store::DataFileLock::lockFileOf(dataFile());
    const std::string quoted = "\"" + lockFile + "\"";
    ASSERT_EQ(::symlink((dir.path() + "/muu").c_str(), lockFile.c_str()), 0);
    ASSERT_EQ(::mkfifo((dir.path() + "/muu").c_str(), 0600), 0);
    const std::pair<std::string, QString> cases[] = {
        {"muu", QString::fromStdString("Andmefaili lukufail " + quoted +
                                       " on nimeviide või pole tavaline fail; seda ei kasutata.")},
        {"kaust", QString::fromStdString("Andmefaili lukufaili " + quoted +
                                         " ei saa luua ega avada: see on kaust, mitte fail.")},
    };
    for (const auto& [standIn, message] : cases) {
        if (standIn == "kaust") {
            ASSERT_EQ(::unlink(lockFile.c_str()), 0);
            ASSERT_EQ(::mkdir(lockFile.c_str(), 0700), 0);
        }
        desktop.clear();
        create();
        form->FormActivate();
        EXPECT_EQ(exitCode, 0);
        EXPECT_FALSE(form->isVisible());
        ASSERT_EQ(desktop.count(Call::MessageBox), 1);
        EXPECT_EQ(lastBox()->text, message);
        EXPECT_EQ(lastBox()->caption, "Tähelepanu");
        EXPECT_EQ(lastBox()->flags, 16u);
        EXPECT_FALSE(files.exists(dataFile())) << "the list was touched";
        form->close();
    }
}

TEST_F(Startup, ADamagedFileShowsTheStoreErrorAndLeavesTheListEmpty) {
    // The store's error, whole or (where the XML reader words the fault) its beginning.
    const std::pair<std::string, QString> cases[] = {
        {"", "ClientDataSet1: Missing data provider or data packet."},
        {std::string(store::kEmptyPacket).replace(std::string(store::kEmptyPacket).find("Kuup"), 4, "Kuupx"),
         "ClientDataSet1: Field 'Kuup' not found."},
        {"\x89PNG\r\n\x1a\n random bytes", "ClientDataSet1: Invalid data packet: "},
    };
    for (const auto& [content, message] : cases) {
        writeFile(dataFile(), content);
        desktop.clear();
        create();
        form->show();  // the first showing's handler opens the list
        QApplication::processEvents();
        ASSERT_EQ(desktop.count(Call::MessageBox), 1);
        const QString text = lastBox()->text;
        if (message.endsWith(QLatin1Char(' '))) {
            EXPECT_TRUE(text.startsWith(message)) << text.toStdString();
        } else {
            EXPECT_EQ(text, message);
        }
        EXPECT_EQ(lastBox()->caption, "Zerizedozi");
        EXPECT_EQ(lastBox()->flags, platform::MB_OK | platform::MB_ICONERROR);
        EXPECT_EQ(form->ClientDataSet1.Tag, 0);
        EXPECT_EQ(form->Frame11->DBGrid1->model(), nullptr);
        form->close();
        EXPECT_EQ(readFile(dataFile()), content);
    }
}

TEST_F(Startup, TheErrorBoxEndsItsTextWithAFullStop) {
    EXPECT_EQ(app::errorBoxText(std::runtime_error("Viga")), "Viga.");
    EXPECT_EQ(app::errorBoxText(std::runtime_error("Viga.")), "Viga.");
    EXPECT_EQ(app::errorBoxText(std::runtime_error("Viga!")), "Viga!");
    EXPECT_EQ(app::errorBoxText(std::runtime_error("'x' is not a valid integer value")),
              "'x' is not a valid integer value.");
    EXPECT_EQ(app::errorBoxText(std::runtime_error("kõik ä")), "kõik ä.");
}

TEST_F(Startup, UusRecordsTheProgramOnlyAsTheFirstArgument) {
    const std::pair<QStringList, bool> cases[] = {
        {{"z", "UUS"}, true},       {{"z", "uus"}, true}, {{"z", "uUs", "x"}, true}, {{"z", "UUSX"}, false},
        {{"z", "x", "UUS"}, false}, {{"z"}, false},       {{"z", "üus"}, false},
    };
    for (const auto& [arguments, records] : cases) {
        desktop.clear();
        create(arguments);
        EXPECT_EQ(desktop.count(Call::Registry), records ? 1 : 0) << arguments.join(' ').toStdString();
    }
    create({"z", "UUS"});
    const auto& values = desktop.last(Call::Registry)->values;
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0], (std::pair<QString, QString>{"Versioon", "Zerizedozi"}));
    EXPECT_EQ(values[1].first, "Asukoht");
    EXPECT_EQ(values[1].second, QString::fromStdString(dir.path()) + "/zerizedozi");

    desktop.registryFails = true;
    create({"z", "UUS"});
    start();
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);
}

TEST_F(Startup, TheWindowMenusCloseItemReadsSulgeProgramm) {
    create();
    EXPECT_EQ(desktop.closeItemOf(form.get()), "Sulge programm");
}

TEST_F(Startup, RunsOnlyOnceAcrossActivations) {
    start({{5, 3, 1980, "Mari"}});
    form->ClientDataSet1.deleteRecord();
    form->FormActivate();
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(form.get(), &activation);
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 0);  // not read again
}

TEST_F(Startup, TheWindowOpensInTheMiddleOfTheScreensFreeArea) {
    create();
    form->show();
    QApplication::processEvents();
    const QRect free = form->screen()->availableGeometry();
    EXPECT_EQ(form->frameGeometry().center(), free.center());
    form->move(free.topLeft());  // moved by the user: a later showing keeps the place
    form->hide();
    form->show();
    EXPECT_EQ(form->frameGeometry().topLeft(), free.topLeft());
}

TEST_F(Startup, TheEditorDayAndMonthListsAreFilled) {
    create();
    EXPECT_EQ(form->Frame21->txtPaev2->count(), 31);
    EXPECT_EQ(form->Frame21->txtPaev2->itemText(0), "1");
    EXPECT_EQ(form->Frame21->txtPaev2->itemText(30), "31");
    EXPECT_EQ(form->Frame21->txtKuu2->count(), 12);
    EXPECT_EQ(form->Frame21->txtKuu2->itemText(11), "12");
    EXPECT_FALSE(form->Frame21->isVisible());
}

TEST_F(Startup, EachWheelNotchIsOneArrowKey) {
    start({{1, 1, 1980, "A"}, {2, 1, 1980, "B"}, {3, 1, 1980, "C"}, {4, 1, 1980, "D"}});
    form->show();
    form->Frame11->DBGrid1->setFocus();
    QApplication::processEvents();
    QWidget* viewport = form->Frame11->DBGrid1->viewport();
    const auto turn = [&](int distance) {
        QWheelEvent wheel(QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, distance),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
    };
    if (QApplication::focusWidget() != form->Frame11->DBGrid1) GTEST_SKIP() << "no keyboard focus offscreen";
    turn(-120);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 2);
    turn(-240);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 4);
    turn(-120);  // at the last row nothing further happens
    EXPECT_EQ(form->ClientDataSet1.recNo(), 4);
    turn(120);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 3);
    turn(60);  // half a notch: nothing yet
    EXPECT_EQ(form->ClientDataSet1.recNo(), 3);
    turn(60);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 2);
}

}  // namespace

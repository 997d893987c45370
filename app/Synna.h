// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: owns the record store, the two views (list and editor)
// and every handler of the program. One instance per run.
//
// Life of a window: the constructor runs FormCreate; the first activation (or
// the first showing, whichever comes first) runs FormActivate, which opens
// the data file; every close request runs FormCloseQuery, which writes the
// data back and cannot be refused. Desktop calls go through the Platform
// given to it, "today" through the Clock, so tests drive the window without
// a person and on a fixed date.
//
// The names TForm1, ClientDataSet1, Frame11btn3Click, Uuenda and the like are
// the program's established design vocabulary; they stay so that design and
// code use the same words.
#pragma once

#include "app/MenuValues.h"
#include "print/ReportPrinter.h"
#include "store/ClientDataSet.h"
#include "store/DataFileLock.h"
#include "store/ListColumns.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

class QAction;
class QPrinter;

namespace platform {
class Platform;
}
namespace store {
class Clock;
class FileSystem;
}  // namespace store

namespace app {

class DataSource;
class FrontRequestServer;
class TFrame1;
class TFrame2;

struct FormContext {
    QString dataFile;       // the list's file, links resolved
    QString programPath;    // the executable, recorded with "UUS"
    QStringList arguments;  // the command line, program name first
    platform::Platform& platform;
    const store::Clock& clock;
    store::FileSystem& files;
    // The data file read ahead while the program started, if it was; the
    // list takes the rows only while the file is unchanged.
    std::function<std::optional<store::ClientDataSet::ReadRows>()> readAhead = nullptr;
};

// Calls `handler` with `arguments`, or with none when it takes none.
template <typename Handler, typename... Arguments>
void callWith(const Handler& handler, const Arguments&... arguments) {
    if constexpr (std::is_invocable_v<const Handler&, const Arguments&...>)
        handler(arguments...);
    else
        handler();
}

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(const FormContext& context);
    ~TForm1() override;

    // --- the program's own state --------------------------------------------
    store::ClientDataSet ClientDataSet1;
    DataSource* DataSource1 = nullptr;
    TFrame1* Frame11 = nullptr;
    TFrame2* Frame21 = nullptr;
    // The column filters in force, by grid column.
    store::FilterSlots FilterValues;
    // ComboBox1..3 collect the distinct years, names and ages while the
    // menus are built, and hand them over to the menus.
    MenuValues ComboBox1, ComboBox2, ComboBox3;
    std::array<bool, store::kListColumns> SortDescending{};

    // One window per list. Takes the list for this window: holds its lock and
    // answers later starts that want it. When another window holds the list,
    // asks that window to come to the front (trying for claimPatience) or,
    // when none answers, says that the list is open in another window; then
    // returns false, and this start must end with exit code 0 without
    // showing the window. A lock file that cannot serve (a symlink, not a
    // regular file, not to be opened) is told in a box, and false returned
    // too; only where the folder takes no new files is that left to the data
    // file's checks. Call it before showing; FormActivate calls it when
    // nobody did.
    bool claimList();
    std::chrono::milliseconds claimPatience{3000};

    // Called when a start-up failure ends the program (exit code 0). The
    // default quits the event loop.
    std::function<void(int)> endProgram;
    bool programEnded() const { return ended_; }

    // --- start-up and shut-down ------------------------------------------------
    void FormCreate();
    void FormActivate();
    void FormCloseQuery();
    // A termination signal, also while a box is up: saves the list as a close
    // does, without any box (a failed save is told on stderr), and ends the
    // program at once without the home-page question, with code 0, or 1
    // when the list could not be saved.
    void endOnSignal();

    // --- list view ------------------------------------------------------------
    void Frame11btn3Click();
    void Frame11DBGrid1TitleClick(int column);
    void Frame11DBGrid1DblClick();
    void Frame11DBGrid1KeyPress(QChar& key);
    void Frame11DBGrid1ConfirmDelete();
    void showColumnMenu(int column, const QPoint& globalPos);

    // --- filters --------------------------------------------------------------
    void Uuenda();
    void Frame11Kik2Click(QAction* item);
    bool ClientDataSet1FilterRecord(const store::EventRow& row) const;
    std::string ClientDataSet1CalcFields(const store::EventRow& row) const;
    // Fills the built menus now if Uuenda left them to be filled later.
    void makePendingMenus();

    // --- editor ---------------------------------------------------------------
    void Frame11btn1Click();
    void Frame11btn2Click();
    void Frame21btn1Click(int tag);
    void Frame21btn3Click();
    void Frame21txtNimi2Change();
    void Frame21txtKuu2Change();
    void Frame21txtNimi2KeyPress(QWidget* control, QChar& key);
    void Frame21txtAasta2KeyPress(QChar& key);

    // --- printing -------------------------------------------------------------
    void Frame11btn4Click();
    // The hidden document the report is composed into.
    print::ReportDocument RichEdit1;
    // The printer the print action uses; tests point it at a PDF file.
    QPrinter& printer() { return *printer_; }
    // Submits one print job; tests may watch or replace it.
    print::PrintJob printJob = print::printReport;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectListView();
    void connectEditor();
    void writeRegistryWhenAsked();
    void showListView();
    // With no record in view: says so ("Andmebaas ei sisalda ühtegi rida!")
    // and returns true, so the handler stops.
    bool warnedListEmpty();
    void centreOnScreen();
    void closeStoreAskingOnFailure();
    void closeStore();
    void letGoOfList();
    // Shows the window above the others and gives it the focus; false while
    // it is not shown or is closing.
    bool bringToFront();
    // Says why the lock file cannot serve, for a lock that failed with `error`.
    void refuseLockFile(int error);
    // Runs a handler the way the event loop would: an error shows the
    // toolkit's error box and abandons the handler.
    void guarded(const std::function<void()>& handler);
    // Runs `handler` guarded on each `signal` of `sender`, with the signal's
    // arguments when it takes them.
    template <typename Sender, typename Signal, typename Handler>
    void connectGuarded(Sender* sender, Signal signal, Handler handler) {
        connect(sender, signal, this,
                [this, handler](auto... arguments) -> void { guarded([&] { callWith(handler, arguments...); }); });
    }
    void makeMenuValues();
    // Whether the editor's "Lisa"/"Muuda" saves: a name, a day and a month
    // given. Both buttons show it with their cursor.
    void setCanSave(bool canSave);

    platform::Platform& platform_;
    const store::Clock& clock_;
    store::FileSystem& files_;
    QString programPath_;
    QStringList arguments_;
    QString dataFilePath_;
    std::function<std::optional<store::ClientDataSet::ReadRows>()> readAhead_;
    // Held while the list is open, so the command line does not write under it.
    std::unique_ptr<store::DataFileLock> dataFileLock_;
    std::unique_ptr<FrontRequestServer> frontRequests_;
    bool claimed_ = false;
    std::unique_ptr<QPrinter> printer_;
    bool started_ = false;
    bool centred_ = false;
    std::optional<QPoint> placedAt_;  // where the first showing put the frame
    // The name filter stands for the records without a name.
    bool emptyNameChosen_ = false;
    bool ended_ = false;
    bool closed_ = false;
    bool menuValuesPending_ = false;
    bool canSave_ = false;
};

}  // namespace app

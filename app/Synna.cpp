// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Synna.h"

#include "app/AppMessage.h"
#include "app/Collation.h"
#include "app/DBGrid.h"
#include "app/DataSource.h"
#include "app/ErrorReporting.h"
#include "app/FrontRequests.h"
#include "app/GlyphButton.h"
#include "app/Looks.h"
#include "app/SyncAfterClose.h"
#include "app/Texts.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/Platform.h"
#include "store/DataFile.h"
#include "store/ErrorTexts.h"
#include "store/FileSystem.h"
#include "store/Leftovers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QPrinter>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include <cerrno>
#include <cstdio>

namespace app {

using namespace platform;

namespace {

QString upperAsciiLetters(QString text) {
    for (QChar& c : text)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - u'a' + u'A');
    return text;
}

QString homePageAddress() {
    QUrl address;
    address.setScheme(QStringLiteral("http"));
    address.setHost(texts::fromStore(store::kHomeHost));
    address.setPath(QStringLiteral("/"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("visitor"), texts::programName());
    address.setQuery(query);
    return address.toString(QUrl::FullyEncoded);
}

}  // namespace

TForm1::TForm1(const FormContext& context)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ClientDataSet1(context.files, &nameOrder()),
      platform_(context.platform),
      clock_(context.clock),
      files_(context.files),
      programPath_(context.programPath),
      arguments_(context.arguments),
      dataFilePath_(context.dataFile),
      readAhead_(context.readAhead),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(texts::programName());
    // The print dialog names its PDF file after the document, else "print.pdf".
    printer_->setDocName(texts::programName());
    setFixedSize(looks::kFormSize);
    looks::fillBackground(this);
    setFont(looks::uiFont());

    DataSource1 = new DataSource(ClientDataSet1, this);
    DataSource1->titleUnderlined = [this](int column) { return !FilterValues[static_cast<size_t>(column)].empty(); };
    Frame21 = new TFrame2(this);
    Frame21->hide();
    Frame11 = new TFrame1(this);
    Frame11->raise();

    ClientDataSet1.onCalcFields = [this](const store::EventRow& row) { return ClientDataSet1CalcFields(row); };
    ClientDataSet1.onFilterRecord = [this](const store::EventRow& row) { return ClientDataSet1FilterRecord(row); };
    ClientDataSet1.onRowsChanging = [this] { makePendingMenus(); };
    // Once the list is on screen, the rest of its order and the menus left
    // for later are made.
    connect(Frame11->DBGrid1, &DBGrid::rowsPainted, this, [this] {
        QTimer::singleShot(0, this, [this] {
            ClientDataSet1.completeView();
            makePendingMenus();
        });
    });
    endProgram = [](int code) { QCoreApplication::exit(code); };

    connectListView();
    connectEditor();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    platform_.renameCloseItem(*this, QStringLiteral("Sulge programm"));
    writeRegistryWhenAsked();
    for (int day = 1; day <= 31; ++day) Frame21->txtPaev2->addItem(QString::number(day));
    for (int month = 1; month <= 12; ++month) Frame21->txtKuu2->addItem(QString::number(month));
    Frame21->txtPaev2->setCurrentIndex(-1);
    Frame21->txtKuu2->setCurrentIndex(-1);
    if (qApp) qApp->installEventFilter(new AppMessage(this));
}

void TForm1::writeRegistryWhenAsked() {
    if (arguments_.size() < 2 || upperAsciiLetters(arguments_[1]) != QLatin1String("UUS")) return;
    platform_.writeRegistry(
        {{QStringLiteral("Versioon"), texts::programName()}, {QStringLiteral("Asukoht"), programPath_}});
}

bool TForm1::claimList() {
    claimed_ = true;
    const auto deadline = std::chrono::steady_clock::now() + claimPatience;
    for (;;) {
        auto lock = std::make_unique<store::DataFileLock>(dataFilePath_.toStdString(), files_);
        if (lock->holds()) {
            store::removeLeftoverTemporaries(dataFilePath_.toStdString(), files_);
            frontRequests_ = std::make_unique<FrontRequestServer>(dataFilePath_, [this] { return bringToFront(); });
            dataFileLock_ = std::move(lock);
            return true;
        }
        if (!lock->heldElsewhere()) {
            // Where the folder takes no new files, the data file's checks
            // tell so in their words first.
            const int error = lock->error();
            const bool lockFileMissing = !files_.exists(store::DataFileLock::lockFileOf(dataFilePath_.toStdString()));
            if (lockFileMissing && (error == EACCES || error == EPERM || error == EROFS)) {
                dataFileLock_ = std::move(lock);
                return true;
            }
            refuseLockFile(error);
            return false;
        }
        lock.reset();
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        if (askWindowToFront(dataFilePath_, left)) return false;
        // The other window may be starting, or closing and letting go of the
        // list. The wait blocks on purpose: the answer decides whether this
        // window is shown at all, so nothing of it is on screen yet, and the
        // program has nothing else to do until claimPatience runs out.
        QThread::msleep(100);
    }
    platform_.messageBox(nullptr, QString::fromUtf8(texts::kOpenInAnotherWindow), QString::fromUtf8(texts::kAttention),
                         MB_OK | MB_ICONWARNING);
    return false;
}

void TForm1::refuseLockFile(int error) {
    const std::string lockFile = store::DataFileLock::lockFileOf(dataFilePath_.toStdString());
    platform_.messageBox(nullptr, QString::fromStdString(store::unusableLockText(lockFile, error)),
                         QString::fromUtf8(texts::kAttention), MB_OK | MB_ICONERROR);
}

bool TForm1::bringToFront() {
    if (closed_ || ended_ || !isVisible()) return false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    return true;
}

void TForm1::FormActivate() {
    if (started_) return;
    started_ = true;

    if (!claimed_ && !claimList()) {
        ended_ = true;
        hide();
        endProgram(0);
        return;
    }
    const store::DataFileStatus status = store::prepareDataFile(files_, dataFilePath_.toStdString());
    if (status.kind == store::DataFileStatus::Missing) {
        platform_.messageBox(this, QString::fromUtf8(texts::kMissingFiles), QString::fromUtf8(texts::kAttention),
                             MB_OK | MB_ICONWARNING);
        ended_ = true;
        endProgram(0);
        return;
    }
    if (status.kind == store::DataFileStatus::WriteProtected ||
        status.kind == store::DataFileStatus::FolderUnwritable) {
        platform_.messageBeep(MB_ICONERROR);
        platform_.messageBox(this,
                             QString::fromUtf8(texts::kWriteProtected) + QStringLiteral("\r\r") +
                                 QString::fromUtf8(texts::kErrorNumber) +
                                 QString::number(static_cast<unsigned>(status.error)),
                             QString::fromUtf8(texts::kAttention), MB_OK | MB_ICONERROR);
        ended_ = true;
        endProgram(0);
        return;
    }
    if (!dataFileLock_->holds()) {
        refuseLockFile(dataFileLock_->error());
        ended_ = true;
        endProgram(0);
        return;
    }
    ClientDataSet1.setFileName(dataFilePath_.toStdString());
    if (readAhead_)
        if (std::optional<store::ClientDataSet::ReadRows> read = std::exchange(readAhead_, nullptr)())
            ClientDataSet1.offer(std::move(*read));
    ClientDataSet1.open();

    Frame21->btn1->setGlyph(Frame11->btn1->glyph());
    Frame21->btn2->setGlyph(Frame11->btn2->glyph());
    Frame21->btn3->setGlyph(Frame11->btn3->glyph());
    ClientDataSet1.Tag = 1;
    Uuenda();
    Frame11->DBGrid1->bind(DataSource1);
    connect(Frame11->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, DataSource1,
            [this](const QModelIndex& current) { DataSource1->setCurrentRow(current.row()); });
    Frame11->DBGrid1->setCurrentIndex(DataSource1->index(DataSource1->currentRow(), 0));
    Frame11->DBGrid1->setFocus();
    update();
}

void TForm1::FormCloseQuery() {
    if (closed_ || ended_) return;
    closed_ = true;
    ClientDataSet1.Tag = 0;
    closeStoreAskingOnFailure();
    letGoOfList();
    startSyncAfterClose(platform_, programPath_, dataFilePath_);
    if (ended_) return;  // a signal came while the save-failed question was up
    if (platform_.messageBox(nullptr, QString::fromUtf8(texts::kWebQuestion), QString::fromUtf8(texts::kWebCaption),
                             MB_ICONQUESTION | MB_YESNO) == IDYES)
        platform_.shellOpen(homePageAddress());
}

void TForm1::endOnSignal() {
    int code = 0;
    // Unsaved while the store is open: at a close whose save failed and
    // whose question is up, the save is tried once more.
    if (!ended_ && ClientDataSet1.active()) {
        closed_ = true;
        ClientDataSet1.Tag = 0;
        try {
            closeStore();
        } catch (const store::WriteError& error) {
            std::fprintf(stderr, "%s %s\n%s%s\n", texts::kSaveFailed, error.path().c_str(), texts::kSaveFailedReason,
                         error.reason().c_str());
            code = 1;
        } catch (const std::exception&) {}
        letGoOfList();
    }
    ended_ = true;
    endProgram(code);
}

void TForm1::closeStore() {
    ClientDataSet1.cancel();
    ClientDataSet1.mergeChangeLog();
    ClientDataSet1.close();
}

// Others may take the list now; the window is gone from the screen.
void TForm1::letGoOfList() {
    frontRequests_.reset();
    dataFileLock_.reset();
    hide();
}

// Closing writes the run's changes. Where the disk refuses them the user is
// told and may try again, instead of losing them without a word; any other
// failure is shown in the error box, and closing goes on.
void TForm1::closeStoreAskingOnFailure() {
    for (;;) {
        try {
            closeStore();
            return;
        } catch (const store::WriteError& error) {
            const std::string reason =
                error.errorNumber() != 0 ? store::systemErrorText(error.errorNumber()) : error.reason();
            const QString text = QString::fromUtf8(texts::kSaveFailed) + QStringLiteral("\r") +
                                 QString::fromStdString(error.path()) + QStringLiteral("\r\r") +
                                 QString::fromUtf8(texts::kSaveFailedReason) + QString::fromStdString(reason) +
                                 QStringLiteral("\r\r") + QString::fromUtf8(texts::kSaveRetry);
            if (platform_.messageBox(this, text, QString::fromUtf8(texts::kAttention), MB_YESNO | MB_ICONERROR) !=
                IDYES)
                return;
        } catch (const std::exception& error) {
            showErrorBox(platform_, error);
            return;
        }
    }
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The window manager's frame is known once the window is up: centre the
    // whole frame, unless the window has left the place it was given (the
    // manager puts either the frame or the window itself there).
    if (event->type() == QEvent::ActivationChange && placedAt_) {
        const bool inPlace = frameGeometry().topLeft() == *placedAt_ || geometry().topLeft() == *placedAt_;
        if (inPlace && frameGeometry().size() != size()) centreOnScreen();
        placedAt_.reset();
    }
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !started_) guarded([this] { FormActivate(); });
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreOnScreen();
    }
    // Some desktops never activate a new window by themselves.
    if (!started_) QTimer::singleShot(0, this, [this] { guarded([this] { FormActivate(); }); });
}

// The window's frame in the middle of the screen's free area (the desktop
// without its panels), on the screen the window opens on.
void TForm1::centreOnScreen() {
    const QScreen* desktop = screen();
    if (!desktop) return;
    QRect frame = frameGeometry();
    frame.moveCenter(desktop->availableGeometry().center());
    move(frame.topLeft());
    placedAt_ = frame.topLeft();
}

void TForm1::closeEvent(QCloseEvent* event) {
    guarded([this] { FormCloseQuery(); });
    event->accept();
}

void TForm1::showListView() {
    Frame21->hide();
    Frame11->show();
    Frame11->DBGrid1->setFocus();
}

bool TForm1::warnedListEmpty() {
    if (ClientDataSet1.recordCount() != 0) return false;
    platform_.messageBox(this, QString::fromUtf8(texts::kEmptyList), QString::fromUtf8(texts::kAttention),
                         MB_OK | MB_ICONWARNING);
    return true;
}

void TForm1::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        showErrorBox(platform_, error);
    }
}

}  // namespace app

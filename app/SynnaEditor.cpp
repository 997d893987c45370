// SPDX-License-Identifier: GPL-3.0-or-later
// The editor view's handlers: opening it to add or to modify, the labels
// that follow the date, the save rule, saving and cancelling, and the keys.
#include "app/DataSource.h"
#include "app/GlyphButton.h"
#include "app/Synna.h"
#include "app/Texts.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/Platform.h"
#include "store/AgeText.h"
#include "store/DateText.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace app {

using namespace platform;

namespace {

// The character a key press types: Enter 13, Esc 27, else its text; none for
// keys that type nothing (arrows, Delete, function keys) and for Tab and
// Shift+Tab, which move the focus.
QChar typedCharacter(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) return QChar(13);
    if (key.key() == Qt::Key_Escape) return QChar(27);
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) return QChar();
    if (key.key() == Qt::Key_Delete || key.text().isEmpty()) return QChar();
    return key.text().front();
}

}  // namespace

void TForm1::connectEditor() {
    TFrame2* editor = Frame21;
    connectGuarded(editor->btn1, &QPushButton::clicked, [this] { Frame21btn1Click(Frame21->btn1->Tag); });
    connectGuarded(editor->btn2, &QPushButton::clicked, [this] { Frame21btn1Click(Frame21->btn2->Tag); });
    connectGuarded(editor->btn3, &QPushButton::clicked, [this] { Frame21btn3Click(); });
    connectGuarded(editor->txtNimi2, &QLineEdit::textChanged, [this] { Frame21txtNimi2Change(); });
    connectGuarded(editor->txtAasta2, &QLineEdit::textChanged, [this] { Frame21txtKuu2Change(); });
    connectGuarded(editor->txtPaev2, &QComboBox::activated, [this] { Frame21txtKuu2Change(); });
    connectGuarded(editor->txtKuu2, &QComboBox::activated, [this] { Frame21txtKuu2Change(); });
    for (QWidget* control : std::initializer_list<QWidget*>{
             editor->txtNimi2, editor->txtPaev2, editor->txtKuu2, editor->txtAasta2, editor->RadioButton1,
             editor->RadioButton2, editor->RadioButton3, editor->RadioButton4})
        control->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !Frame21->isAncestorOf(qobject_cast<QWidget*>(watched)))
        return QWidget::eventFilter(watched, event);
    QChar key = typedCharacter(*static_cast<QKeyEvent*>(event));
    if (key.isNull()) return QWidget::eventFilter(watched, event);
    guarded([&] {
        if (watched == Frame21->txtAasta2) {
            Frame21txtAasta2KeyPress(key);
        } else {
            Frame21txtNimi2KeyPress(static_cast<QWidget*>(watched), key);
        }
    });
    return key.isNull();
}

void TForm1::Frame11btn1Click() {
    TFrame2* editor = Frame21;
    Frame11->hide();
    editor->show();
    editor->btn1->show();
    editor->btn2->hide();
    editor->RadioButton1->setChecked(true);
    editor->txtPaev2->setCurrentIndex(0);
    editor->txtKuu2->setCurrentIndex(0);
    editor->txtAasta2->clear();
    editor->txtNimi2->setMaxLength(TFrame2::kNameLength);
    editor->txtNimi2->clear();
    editor->txtNimi2->setFocus();
    setCanSave(false);
    Frame21txtKuu2Change();
}

void TForm1::Frame11btn2Click() {
    if (warnedListEmpty()) return;
    TFrame2* editor = Frame21;
    Frame11->hide();
    editor->show();
    editor->btn1->hide();
    editor->btn2->show();
    editor->RadioButton1->setChecked(true);
    editor->txtAasta2->clear();
    editor->txtNimi2->clear();
    editor->txtNimi2->setFocus();

    const auto listPosition = [](QComboBox* list, int number) {
        return number >= 1 && number <= list->count() ? number - 1 : -1;
    };
    editor->txtPaev2->setCurrentIndex(listPosition(editor->txtPaev2, ClientDataSet1.fieldInteger(store::Paev)));
    editor->txtKuu2->setCurrentIndex(listPosition(editor->txtKuu2, ClientDataSet1.fieldInteger(store::Kuu)));
    editor->txtAasta2->setText(QString::fromStdString(ClientDataSet1.fieldText(store::Aasta)));
    // A stored name longer than the editor's limit is shown whole, never cut.
    const QString name = QString::fromStdString(ClientDataSet1.fieldText(store::Nimi));
    editor->txtNimi2->setMaxLength(std::max(TFrame2::kNameLength, static_cast<int>(name.size())));
    editor->txtNimi2->setText(name);
    // Setting the text it already has (an empty name) sends no change.
    Frame21txtNimi2Change();

    if (const auto type = store::typeIndex(ClientDataSet1.fieldText(store::Tyyp)))
        editor->typeButton(static_cast<int>(*type))->setChecked(true);
    Frame21txtKuu2Change();
}

void TForm1::Frame21txtKuu2Change() {
    const int month = Frame21->txtKuu2->currentIndex();
    const int day = Frame21->txtPaev2->currentIndex();
    QString monthName;
    if (month >= 0 && month < 12) {
        const std::string_view name = store::MonthNames[static_cast<size_t>(month)];
        monthName = texts::fromStore(name);
    }
    Frame21->Label8->setText(monthName);
    // The age of the year that saving stores: "80" is 1980.
    const std::string year = store::wholeYearText(Frame21->txtAasta2->text().toStdString(), clock_.today().year);
    Frame21->Label9->setText(QString::fromStdString(store::AgeText(year, month + 1, day + 1, clock_)));
}

void TForm1::Frame21txtNimi2Change() {
    const bool allowed = !Frame21->txtNimi2->text().isEmpty() && !Frame21->txtPaev2->currentText().isEmpty() &&
                         !Frame21->txtKuu2->currentText().isEmpty();
    setCanSave(allowed);
}

void TForm1::setCanSave(bool canSave) {
    canSave_ = canSave;
    for (GlyphButton* save : {Frame21->btn1, Frame21->btn2})
        save->setCursor(canSave ? Qt::PointingHandCursor : Qt::ForbiddenCursor);
}

void TForm1::Frame21btn1Click(int tag) {
    TFrame2* editor = Frame21;
    if (!canSave_) return;

    QString dateText = editor->txtPaev2->currentText() + QLatin1Char('.') + editor->txtKuu2->currentText();
    if (!editor->txtAasta2->text().isEmpty()) dateText += QLatin1Char('.') + editor->txtAasta2->text();
    const std::optional<store::Date> date = store::readDateText(dateText.toStdString(), clock_.today());
    if (!date) {
        platform_.messageBeep(MB_ICONWARNING);
        platform_.messageBox(this, QString::fromUtf8(texts::kWrongDate), QString::fromUtf8(texts::kAttention),
                             MB_OK | MB_ICONWARNING);
        return;
    }

    {
        store::ClientDataSet::CalcPause pause(ClientDataSet1);
        if (tag == 0) {
            ClientDataSet1.insert();
        } else {
            ClientDataSet1.edit();
        }
        size_t checked = 0;
        for (size_t i = 0; i < store::kEventTypes.size(); ++i)
            if (editor->typeButton(static_cast<int>(i))->isChecked()) checked = i;
        ClientDataSet1.setFieldText("Tyyp", std::string(1, store::kEventTypes[checked].code));
        ClientDataSet1.setFieldText("Nimi", editor->txtNimi2->text().toStdString());
        ClientDataSet1.setFieldInteger("Paev", editor->txtPaev2->currentText().toInt());
        ClientDataSet1.setFieldInteger("Kuu", editor->txtKuu2->currentText().toInt());
        // A short year is stored whole, as in the date: "80" as 1980.
        ClientDataSet1.setFieldText("Aasta",
                                    editor->txtAasta2->text().isEmpty() ? std::string() : std::to_string(date->year));
        ClientDataSet1.setFieldDate("Kuup", *date);
        ClientDataSet1.post();
    }
    Uuenda();
    Frame21btn3Click();
}

void TForm1::Frame21btn3Click() {
    ClientDataSet1.cancel();
    showListView();
}

void TForm1::Frame21txtNimi2KeyPress(QWidget* control, QChar& key) {
    if (key == QChar(13)) {
        key = QChar();
        TFrame2* editor = Frame21;
        QWidget* next = editor->txtNimi2;
        if (control == editor->txtNimi2)
            next = editor->txtPaev2;
        else if (control == editor->txtPaev2)
            next = editor->txtKuu2;
        else if (control == editor->txtKuu2)
            next = editor->txtAasta2;
        else if (control == editor->txtAasta2)
            next = editor->checkedTypeButton();
        next->setFocus(Qt::TabFocusReason);
    } else if (key == QChar(27)) {
        key = QChar();
        Frame21btn3Click();
    }
}

void TForm1::Frame21txtAasta2KeyPress(QChar& key) {
    Frame21txtNimi2KeyPress(Frame21->txtAasta2, key);
    if (key != QChar(8) && (key < u'0' || key > u'9')) key = QChar();
}

}  // namespace app

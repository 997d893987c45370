// SPDX-License-Identifier: GPL-3.0-or-later
// The editor view: the fields of one entry (name, day, month, year, type)
// and the buttons "Lisa"/"Muuda" (one place, one shown) and "Loobu".
// Controls only; the main window handles their events.
// TFrame2, Unit2, txtNimi2, Label1..9 and the like are the program's
// established design vocabulary; they stay so that design and code use the
// same words.
#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace app {

class GlyphButton;

class TFrame2 : public QWidget {
    Q_OBJECT

public:
    explicit TFrame2(QWidget* parent);

    // The most characters a new name may have; a longer stored name is still
    // shown whole.
    static constexpr int kNameLength = 60;

    QGroupBox* GroupBox1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QLineEdit* txtNimi2;
    QComboBox* txtPaev2;
    QComboBox* txtKuu2;
    QLineEdit* txtAasta2;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4;
    GlyphButton* btn1;  // "Lisa", Tag 0
    GlyphButton* btn2;  // "Muuda", Tag 1
    GlyphButton* btn3;  // "Loobu"

    // The type buttons in order: "Sünnipäev", "Tähtpäev", "Nimepäev", "Muu".
    QRadioButton* typeButton(int index) const;
    QRadioButton* checkedTypeButton() const;
};

}  // namespace app

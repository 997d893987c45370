// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Unit2.h"

#include "app/GlyphButton.h"
#include "app/Looks.h"
#include "app/Texts.h"
#include "store/EventRecord.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <array>

namespace app {

namespace {

QPalette whiteText(QPalette colours) {
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::ButtonText, Qt::white);
    return colours;
}

QLabel* label(QWidget* parent, const QString& text, int left, int top) {
    auto* made = new QLabel(text, parent);
    made->setFont(looks::arialFont(11, true));
    made->setPalette(whiteText(made->palette()));
    made->move(left, top);
    made->adjustSize();
    return made;
}

// Edits and lists keep the desktop's own colours: black text on white.
template <typename Input>
Input* input(QWidget* parent, int left, int top, int width) {
    auto* made = new Input(parent);
    made->setGeometry(left, top, width, 23);
    made->setFont(looks::arialFont(12));
    QPalette colours = made->palette();
    for (const auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        colours.setColor(role, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    made->setPalette(colours);
    return made;
}

// Only the checked type button is reached with Tab and Enter.
void followCheckedForFocus(QRadioButton* button) {
    const auto update = [button](bool checked) { button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); };
    QObject::connect(button, &QRadioButton::toggled, button, update);
    update(button->isChecked());
}

}  // namespace

TFrame2::TFrame2(QWidget* parent) : QWidget(parent) {
    setGeometry(QRect(QPoint(), looks::kFormSize));
    looks::fillBackground(this);

    GroupBox1 = new QGroupBox(QStringLiteral("Andmed "), this);
    GroupBox1->setGeometry(8, 8, 385, 225);
    GroupBox1->setFont(looks::uiFont());
    GroupBox1->setPalette(whiteText(GroupBox1->palette()));

    Label1 = label(GroupBox1, QStringLiteral("Nimi:"), 16, 28);
    Label2 = label(GroupBox1, QStringLiteral("Päev:"), 16, 56);
    Label3 = label(GroupBox1, QStringLiteral("Kuu:"), 16, 84);
    Label4 = label(GroupBox1, QStringLiteral("Aasta:"), 16, 112);
    Label5 = label(GroupBox1, QStringLiteral("Tüüp:"), 16, 140);
    Label7 = label(GroupBox1, QStringLiteral("Kuu:"), 200, 84);
    Label6 = label(GroupBox1, QStringLiteral("Vanus:"), 200, 112);
    Label8 = label(GroupBox1, QString(), 248, 84);
    Label9 = label(GroupBox1, QString(), 248, 112);
    Label8->resize(120, Label8->height());
    Label9->resize(120, Label9->height());

    txtNimi2 = input<QLineEdit>(GroupBox1, 72, 24, 297);
    txtNimi2->setMaxLength(kNameLength);
    txtPaev2 = input<QComboBox>(GroupBox1, 72, 52, 73);
    txtPaev2->setMaxVisibleItems(14);
    txtKuu2 = input<QComboBox>(GroupBox1, 72, 80, 73);
    txtKuu2->setMaxVisibleItems(12);
    txtAasta2 = input<QLineEdit>(GroupBox1, 72, 108, 73);
    txtAasta2->setMaxLength(4);
    // Typed keys are filtered by the window; this keeps pasted text to digits.
    txtAasta2->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), txtAasta2));

    QRadioButton** buttons[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4};
    static_assert(std::size(buttons) == store::kEventTypes.size());
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(texts::fromStore(store::kEventTypes[static_cast<size_t>(i)].label), GroupBox1);
        button->setGeometry(72, 140 + 20 * i, 81, 17);
        button->setFont(looks::uiFont());
        button->setPalette(whiteText(button->palette()));
        button->setToolTip(button->text());
        *buttons[i] = button;
    }
    RadioButton1->setChecked(true);
    for (int i = 0; i < 4; ++i) followCheckedForFocus(typeButton(i));

    btn1 = new GlyphButton(QStringLiteral("Lisa"), this);
    btn1->setGeometry(88, 242, 106, 33);
    btn1->Tag = 0;
    btn2 = new GlyphButton(QStringLiteral("Muuda"), this);
    btn2->setGeometry(88, 242, 106, 33);
    btn2->Tag = 1;
    btn3 = new GlyphButton(QStringLiteral("Loobu"), this);
    btn3->setGeometry(207, 242, 106, 33);

    setTabOrder(txtNimi2, txtPaev2);
    setTabOrder(txtPaev2, txtKuu2);
    setTabOrder(txtKuu2, txtAasta2);
    setTabOrder(txtAasta2, RadioButton1);
    setTabOrder(RadioButton1, RadioButton2);
    setTabOrder(RadioButton2, RadioButton3);
    setTabOrder(RadioButton3, RadioButton4);
}

QRadioButton* TFrame2::typeButton(int index) const {
    const std::array<QRadioButton*, 4> buttons = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    return buttons.at(static_cast<size_t>(index));
}

QRadioButton* TFrame2::checkedTypeButton() const {
    for (int i = 0; i < 4; ++i)
        if (typeButton(i)->isChecked()) return typeButton(i);
    return RadioButton1;
}

}  // namespace app

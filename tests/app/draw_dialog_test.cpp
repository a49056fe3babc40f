#include "export/widgets/draw_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
TEST(OptionDialog, OpensWithTheDefaultsAndTheLayout)
{
    TForm3 form(12000);
    EXPECT_EQ(form.windowTitle(), "Option");
    EXPECT_EQ(form.size(), QSize(225, 249));
    EXPECT_EQ(form.CSpinEdit1->maximum(), 12000);
    EXPECT_EQ(form.Edit1->geometry(), QRect(72, 48, 73, 21));
    EXPECT_EQ(form.Button1->text(), "Run");
    EXPECT_EQ(form.Button2->text(), "Exit");
    const DrawOptions options = form.options();
    EXPECT_EQ(options.indexStart, 1);
    EXPECT_EQ(options.indexEnd, 5000);
    EXPECT_EQ(options.colourWord, 0u);
    EXPECT_EQ(options.opacity, 100);
    EXPECT_DOUBLE_EQ(options.lineWidth, 1.0);
    EXPECT_EQ(form.ColorBox1->count(), 21);
}

TEST(OptionDialog, ItsControlsFollowTheRules)
{
    TForm3 form(12000);
    form.CSpinEdit1->setValue(3000);
    EXPECT_EQ(form.CSpinEdit2->value(), 7999);
    form.CSpinEdit2->setValue(12000);
    EXPECT_EQ(form.CSpinEdit1->value(), 7001);

    for (int i = 0; i < 10; ++i)
        form.CSpinButton1Up->click();
    EXPECT_EQ(form.Edit1->text(), "2.0");
    for (int i = 0; i < 20; ++i)
        form.CSpinButton1Down->click();
    EXPECT_EQ(form.Edit1->text(), "1.0");

    form.CSpinEdit3->setValue(0);
    EXPECT_EQ(form.CSpinEdit3->value(), 1);
    form.CSpinEdit3->setValue(101);
    EXPECT_EQ(form.CSpinEdit3->value(), 100);

    form.ColorBox1->setCurrentIndex(9);
    EXPECT_EQ(form.ColorBox1->currentText(), "Red");
    EXPECT_EQ(form.options().colourWord, 0x0000FFu);
}

TEST(OptionDialog, TheCustomEntryTakesTheChoosersColour)
{
    TForm3 form(10);
    std::optional<std::uint32_t> answer = 0x123456;
    form.chooseCustomColour = [&](std::uint32_t) { return answer; };
    const int custom = form.ColorBox1->count() - 1;
    form.ColorBox1->setCurrentIndex(custom);
    emit form.ColorBox1->activated(custom);
    EXPECT_EQ(form.options().colourWord, 0x123456u);

    form.ColorBox1->setCurrentIndex(3);
    emit form.ColorBox1->activated(3);
    answer.reset();
    form.ColorBox1->setCurrentIndex(custom);
    emit form.ColorBox1->activated(custom);
    EXPECT_EQ(form.ColorBox1->currentIndex(), 3);
}

TEST(OptionDialog, OnlyRunGivesOptions)
{
    TForm3 run(10);
    QTimer::singleShot(0, run.Button1, &QPushButton::click);
    EXPECT_EQ(run.exec(), TForm3::kRunResult);

    TForm3 exitForm(10);
    QTimer::singleShot(0, exitForm.Button2, &QPushButton::click);
    EXPECT_NE(exitForm.exec(), TForm3::kRunResult);

    TForm3 closed(10);
    QTimer::singleShot(0, &closed, &QDialog::close);
    EXPECT_NE(closed.exec(), TForm3::kRunResult);
}
} // namespace

// TForm3, the "Option" dialog of the draw export: the point rule's index range
// and the track line's colour, width and opacity.
#pragma once

#include "export/draw_options.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

class TForm3 : public QDialog {
public:
    // dataRowCount: the track table's rows below the header.
    explicit TForm3(int dataRowCount, QWidget* parent = nullptr);

    // Runs the dialog modally: the choices after "Run", nothing after "Exit" or close.
    static std::optional<DrawOptions> ask(int dataRowCount, QWidget* parent);

    // What the export reads after "Run".
    DrawOptions options() const;

    // The platform's colour chooser behind the custom entry; tests put their own here.
    std::function<std::optional<std::uint32_t>(std::uint32_t current)> chooseCustomColour;

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QSpinBox* CSpinEdit1;
    QLabel* Label2;
    QSpinBox* CSpinEdit2;
    QGroupBox* GroupBox2;
    QLabel* Label3;
    QComboBox* ColorBox1;
    QLabel* Label4;
    QLineEdit* Edit1;
    QWidget* CSpinButton1;
    QToolButton* CSpinButton1Up;
    QToolButton* CSpinButton1Down;
    QLabel* Label5;
    QSpinBox* CSpinEdit3;
    QPushButton* Button1;
    QPushButton* Button2;

    static constexpr int kRunResult = 1;
    static constexpr int kExitResult = 2;

protected:
    // Neither Enter nor Escape ends this dialog; only its buttons and its frame do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void CSpinEdit1Change(int value);
    void CSpinEdit2Change(int value);
    void CSpinButton1UpClick();
    void CSpinButton1DownClick();
    void colorBox1Activated(int index);
    void showRange();

    PointRuleRange range_;
    int customIndex_ = 0;
    int lastColourIndex_ = 0;
};

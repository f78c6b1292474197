#pragma once
// Small builders of a form's design: a caption, a text box, a drop-down
// list and a pair of options, placed in pixels on their parent and named as
// the form names them; and the placing of a control whose design is in twips.
#include "platform/control_array.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

inline constexpr int DesignRowHeight = 21;

// Gives a control the place and size of a design written in twips, each
// length in the nearest whole screen pixels of its own axis.
void placeInTwips(QWidget& widget, double left, double top, double width, double height);

// A fixed-size dialog's frame: its name, its caption, a title bar with only a
// close box, and the dialogs' 8 pt "MS Sans Serif" font.
void designFixedDialog(QDialog& dialog, const QString& name, const QString& title);

// A fixed-size dialog larger than the screen's free area (a long list on a
// small screen) shows its controls in a scrolling view that fits the area,
// so that every one of them can still be reached; one that fits is left as
// it is. Called once the dialog has its size, before it is shown.
void scrollWhenLargerThanScreen(QDialog& dialog);

// A caption at (x, y), sized to its text; named when a name is given.
QLabel* designCaption(QWidget& parent, const QString& text, int x, int y, const QString& name = QString());

QLineEdit* designTextBox(
    QWidget& parent, const QString& name, int x, int y, int width, const QString& text = QString());

QComboBox* designCombo(
    QWidget& parent, const QString& name, int x, int y, int width, const QStringList& entries = {});

enum class OptionPairLayout { SideBySide, Stacked };

// Elements 1 and 2 of an option array, in a holder of their own so that
// each pair is exclusive on its own.
void designOptionPair(QWidget& parent, ControlArray<QRadioButton>& options, const QString& first,
    const QString& second, int x, int y, OptionPairLayout layout = OptionPairLayout::SideBySide);

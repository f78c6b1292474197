#include "platform/form_design_kit.h"

#include "platform/program_window.h"
#include "platform/screen_metrics.h"
#include "platform/vb_fonts.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>

void placeInTwips(QWidget& widget, double left, double top, double width, double height)
{
    widget.setGeometry(
        twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

void designFixedDialog(QDialog& dialog, const QString& name, const QString& title)
{
    dialog.setObjectName(name);
    dialog.setWindowTitle(title);
    dialog.setWindowFlags(
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setFont(vbFont(QStringLiteral("MS Sans Serif"), 8));
}

void scrollWhenLargerThanScreen(QDialog& dialog)
{
    const QSize room = availableArea().size().shrunkBy(windowFrame(dialog));
    const QSize whole = dialog.size();
    if (whole.width() <= room.width() && whole.height() <= room.height()) {
        return;
    }
    auto* content = new QWidget;
    content->setFixedSize(whole);
    for (QWidget* control : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!control->isWindow()) {
            // A control that changes its parent is hidden; it keeps its place.
            const bool hidden = control->isHidden();
            control->setParent(content);
            control->setHidden(hidden);
        }
    }
    auto* view = new QScrollArea(&dialog);
    view->setObjectName(QStringLiteral("ScrolledControls"));
    view->setFrameShape(QFrame::NoFrame);
    view->setWidget(content);
    // Room for the scroll bar that the other direction then needs.
    const int bar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &dialog);
    QSize shown = whole;
    if (whole.height() > room.height()) {
        shown.rwidth() += bar;
    }
    if (whole.width() > room.width()) {
        shown.rheight() += bar;
    }
    shown = shown.boundedTo(room);
    view->setGeometry(QRect(QPoint(0, 0), shown));
    view->show();
    dialog.setFixedSize(shown);
}

QLabel* designCaption(QWidget& parent, const QString& text, int x, int y, const QString& name)
{
    auto* label = new QLabel(text, &parent);
    if (!name.isEmpty()) {
        label->setObjectName(name);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit* designTextBox(QWidget& parent, const QString& name, int x, int y, int width, const QString& text)
{
    auto* box = new QLineEdit(text, &parent);
    box->setObjectName(name);
    box->setGeometry(x, y, width, DesignRowHeight);
    return box;
}

QComboBox* designCombo(
    QWidget& parent, const QString& name, int x, int y, int width, const QStringList& entries)
{
    auto* combo = new QComboBox(&parent);
    combo->setObjectName(name);
    combo->setGeometry(x, y, width, DesignRowHeight);
    combo->addItems(entries);
    return combo;
}

void designOptionPair(QWidget& parent, ControlArray<QRadioButton>& options, const QString& first,
    const QString& second, int x, int y, OptionPairLayout layout)
{
    const bool stacked = layout == OptionPairLayout::Stacked;
    auto* holder = new QWidget(&parent);
    holder->setGeometry(x, y, stacked ? 120 : 180, stacked ? 2 * DesignRowHeight : DesignRowHeight);
    const QString captions[] = { first, second };
    for (int i = 1; i <= 2; ++i) {
        auto* option = new QRadioButton(captions[i - 1], holder);
        option->setObjectName(options.elementName(i));
        if (stacked) {
            option->setGeometry(0, (i - 1) * DesignRowHeight, 120, DesignRowHeight);
        } else {
            option->setGeometry((i - 1) * 90, 0, 88, DesignRowHeight);
        }
        options.setElement(i, option);
    }
}

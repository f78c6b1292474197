// The rows of the floating layer list: copies of the main list's rows, made
// from templates like the main list's and brought into line with it by every
// rebuild. Ticks pass to the main list's rows, label presses open the same
// pop-up menus as there (or delete), and image and GIS labels are dragged
// onto one another to reorder the list; every command is the main window's
// list's (LayerList).
#include "korvel/layers/check_list_form.h"
#include "korvel/layers/layer_list.h"
#include "korvel/layers/layer_popup_menus.h"
#include "korvel/layers/row_drop.h"
#include "korvel/layers/row_label_colours.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/list_rows.h"
#include "platform/control_array_loaders.h"
#include "platform/control_drag.h"
#include "platform/popup_menu.h"
#include "platform/vb_input_codes.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

// A row element goes once control is back in the event loop: a row is
// often removed from inside an event of its own label.
template <class W> void unloadLater(W* element)
{
    element->hide();
    element->setObjectName(QString());
    element->deleteLater();
}

// Makes the floating array hold exactly the elements the main one holds.
template <class W> void matchElements(ControlArray<W>& own, const ControlArray<W>& main)
{
    for (int i = own.UBound(); i >= 1; --i) {
        if (own.exists(i) && !main.exists(i)) {
            own.unload(i);
        }
    }
    for (int i = 1; i <= main.UBound(); ++i) {
        if (main.exists(i) && !own.exists(i)) {
            own.load(i);
        }
    }
}

void copyLabel(const QLabel& from, QLabel& to)
{
    to.move(from.pos());
    to.setText(from.text());
    to.setToolTip(from.toolTip());
    to.resize(to.sizeHint().width(), to.height());
    QPalette colours = to.palette();
    colours.setColor(QPalette::WindowText, from.palette().color(QPalette::WindowText));
    to.setPalette(colours);
    to.show();
}

void copyColourBox(const QLabel& from, QLabel& to)
{
    to.move(from.pos());
    QPalette colours = to.palette();
    colours.setColor(QPalette::Window, from.palette().color(QPalette::Window));
    to.setPalette(colours);
    to.show();
}

} // namespace

void CheckListForm::createRowTemplates()
{
    using Handler = void (CheckListForm::*)(int);
    auto checks = [this](ControlArray<QCheckBox>& own, const ControlArray<QCheckBox>& main, Handler handler) {
        auto* check = new QCheckBox(Frame1);
        check->setObjectName(own.elementName(0));
        copyWidgetDesign(main[0], *check);
        check->hide();
        own.setElement(0, check);
        own.setLoader(widgetLoader(own,
                          std::function<void(QCheckBox&, int)>([this, handler](QCheckBox& row, int index) {
                              connect(&row, &QCheckBox::toggled, this, [this, handler, index] {
                                  // A tick copied by the rebuild is not a click.
                                  if (!m_copying) {
                                      (this->*handler)(index);
                                  }
                              });
                          })),
            unloadLater<QCheckBox>);
    };
    checks(ImageCheck, m_main.ImageCheck, &CheckListForm::ImageCheck_Click);
    checks(GISCheck, m_main.GISCheck, &CheckListForm::GISCheck_Click);
    checks(AGCheck, m_main.AGCheck, &CheckListForm::AGCheck_Click);
    checks(Check3, m_main.Check3, &CheckListForm::Check3_Click);

    auto labels = [this](ControlArray<QLabel>& own, const ControlArray<QLabel>& main, bool draggable) {
        auto* label = new QLabel(Frame1);
        label->setObjectName(own.elementName(0));
        copyWidgetDesign(main[0], *label);
        label->setFrameStyle(main[0].frameStyle());
        label->hide();
        own.setElement(0, label);
        own.setLoader(
            widgetLoader(own, std::function<void(QLabel&, int)>([this, draggable, &own](QLabel& row, int) {
                row.setFrameStyle(own[0].frameStyle());
                row.installEventFilter(this);
                if (draggable) {
                    m_rowDrag->setAutomaticDrag(row);
                }
            })),
            unloadLater<QLabel>);
    };
    labels(ImageCheckLabel, m_main.ImageCheckLabel, true);
    labels(GISCheckLabel, m_main.GISCheckLabel, true);
    labels(AGCheckLabel, m_main.AGCheckLabel, false);
    labels(CheckLabel3, m_main.CheckLabel3, false);
    labels(GISColorBox, m_main.GISColorBox, false);
    labels(AGColorBox, m_main.AGColorBox, false);
}

void CheckListForm::RefreshChecklist()
{
    repaint();
    m_copying = true;
    const LayerData& layers = layerData();
    const AgnavData& agnav = agnavData();
    struct Group
    {
        ControlArray<QCheckBox>& own;
        const ControlArray<QCheckBox>& main;
        ControlArray<QLabel>& ownLabels;
        const ControlArray<QLabel>& mainLabels;
        ControlArray<QLabel>* ownBoxes;
        const ControlArray<QLabel>* mainBoxes;
        int count;
    };
    const Group groups[] = {
        { ImageCheck, m_main.ImageCheck, ImageCheckLabel, m_main.ImageCheckLabel, nullptr, nullptr,
            layers.ImageCount },
        { GISCheck, m_main.GISCheck, GISCheckLabel, m_main.GISCheckLabel, &GISColorBox, &m_main.GISColorBox,
            layers.GISCount },
        { AGCheck, m_main.AGCheck, AGCheckLabel, m_main.AGCheckLabel, &AGColorBox, &m_main.AGColorBox,
            agnav.BlockCount },
        { Check3, m_main.Check3, CheckLabel3, m_main.CheckLabel3, nullptr, nullptr, subRowTotal() },
    };
    for (const Group& group : groups) {
        // The templates follow the main list's layout (sizes and fonts).
        copyWidgetDesign(group.main[0], group.own[0]);
        copyWidgetDesign(group.mainLabels[0], group.ownLabels[0]);
        matchElements(group.own, group.main);
        matchElements(group.ownLabels, group.mainLabels);
        if (group.ownBoxes) {
            copyWidgetDesign((*group.mainBoxes)[0], (*group.ownBoxes)[0]);
            matchElements(*group.ownBoxes, *group.mainBoxes);
        }
        for (int i = 1; i <= group.count; ++i) {
            QCheckBox* check = group.own.at(i);
            const QCheckBox* mainCheck = group.main.at(i);
            QLabel* label = group.ownLabels.at(i);
            const QLabel* mainLabel = group.mainLabels.at(i);
            if (!check || !mainCheck || !label || !mainLabel) {
                continue;
            }
            check->setChecked(mainCheck->isChecked());
            check->move(mainCheck->pos());
            // Images without a geo-reference, or in degrees, stay disabled.
            check->setEnabled(mainCheck->isEnabled());
            check->show();
            copyLabel(*mainLabel, *label);
            if (group.ownBoxes) {
                QLabel* box = group.ownBoxes->at(i);
                const QLabel* mainBox = group.mainBoxes->at(i);
                if (box && mainBox) {
                    copyColourBox(*mainBox, *box);
                }
            }
        }
    }
    m_copying = false;

    const int lineLeft = m_main.Line1->x();
    Line1->setGeometry(lineLeft, m_main.Line1->y(), Frame1->width() - 2 * lineLeft, m_main.Line1->height());
    Line2->setGeometry(m_main.Line2->x(), m_main.Line2->y(), Line1->width(), m_main.Line2->height());
    Line1->setVisible(!m_main.Line1->isHidden());
    Line2->setVisible(!m_main.Line2->isHidden());
    MapChanged = false;
    Label1->move((Frame1->width() - Label1->width()) / 2, Label1->y());
    Label1->setVisible(!m_main.Label1->isHidden());
    repaint();
}

void CheckListForm::passTick(ControlArray<QCheckBox>& own, ControlArray<QCheckBox>& main, int Index)
{
    const QCheckBox* check = own.at(Index);
    QCheckBox* mainCheck = main.at(Index);
    if (!check || !mainCheck) {
        return;
    }
    // The main list's tick handling runs as after a click there, and
    // redraws as it would.
    mainCheck->setChecked(check->isChecked());
    MapChanged = true;
}

void CheckListForm::ImageCheck_Click(int Index)
{
    passTick(ImageCheck, m_main.ImageCheck, Index);
}

void CheckListForm::GISCheck_Click(int Index)
{
    passTick(GISCheck, m_main.GISCheck, Index);
}

void CheckListForm::AGCheck_Click(int Index)
{
    passTick(AGCheck, m_main.AGCheck, Index);
}

void CheckListForm::Check3_Click(int Index)
{
    passTick(Check3, m_main.Check3, Index);
}

void CheckListForm::ImageCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        m_list.DeleteImage(Index);
    } else if (Button == vbRightButton && Shift == 0 && ImageCheckLabel.exists(Index)) {
        openPopUp(ImageCheckLabel[Index], Index, LayerKind::Image);
    }
}

void CheckListForm::GISCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        m_list.DeleteSHP(Index);
    } else if (Button == vbRightButton && Shift == 0 && GISCheckLabel.exists(Index)) {
        openPopUp(GISCheckLabel[Index], Index, LayerKind::GISLayer);
    }
}

void CheckListForm::AGCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        m_list.DeleteAGNAV(Index);
    } else if (Button == vbRightButton && Shift == 0 && AGCheckLabel.exists(Index)) {
        openPopUp(AGCheckLabel[Index], Index, LayerKind::Block);
    }
}

void CheckListForm::CheckLabel3_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    m_list.CheckLabel3_MouseDown(Index, Button, Shift, X, Y);
    RefreshChecklist();
}

void CheckListForm::GISColorBox_DblClick(int Index)
{
    m_list.GISColorBox_DblClick(Index);
    RefreshChecklist();
}

void CheckListForm::openPopUp(QLabel& label, int Index, LayerKind kind)
{
    setRowCaptionColour(label, RowCaptionLightBlue);
    PopupRow = Index;
    m_main.SelectedLayer = Index;
    switch (kind) {
    case LayerKind::Image:
        PopupMenu(*PopUpMenu_Image);
        break;
    case LayerKind::GISLayer:
        // The main window's own menu: its handlers read its zone captions
        // and buffer tick, prepared here from this row's layer.
        prepareShapefilePopUp(m_main, Index);
        PopupMenu(*m_main.PopUpMenu_SHP);
        break;
    case LayerKind::Block:
        enableBlockPopUpItems(m_main,
            { PopUp_OpenGuidance, PopUp_OpenExclusion, PopUp_OpenFlight, PopUp_DigitizeGuidance,
                PopUp_DigitizeExclusion },
            Index);
        PopupMenu(*PopUpMenu_AGNAV, vbPopupMenuLeftAlign, {}, PopUp_OpenGuidance);
        break;
    }
    // The command may have closed this list (its release runs later).
    if (!m_unloaded) {
        RefreshChecklist();
    }
}

void CheckListForm::ImageCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    highlightDragTarget(ImageCheckLabel, layerData().ImageCount, Index, Source, State);
}

void CheckListForm::GISCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    highlightDragTarget(GISCheckLabel, layerData().GISCount, Index, Source, State);
}

void CheckListForm::ImageCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    dropListRow(m_main, ImageCheckLabel, ImageCheck, layerData().ImageOrder, Index, Source, LayerKind::Image);
}

void CheckListForm::GISCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    dropListRow(m_main, GISCheckLabel, GISCheck, layerData().GISOrder, Index, Source, LayerKind::GISLayer);
}

void CheckListForm::dispatchDragOver(QWidget* target, QWidget* source, QPoint position, int state)
{
    auto* label = qobject_cast<QLabel*>(target);
    const float x = float(position.x());
    const float y = float(position.y());
    if (const int i = ImageCheckLabel.indexOf(label); label && i > 0) {
        ImageCheckLabel_DragOver(i, source, x, y, state);
    } else if (const int g = GISCheckLabel.indexOf(label); label && g > 0) {
        GISCheckLabel_DragOver(g, source, x, y, state);
    }
}

void CheckListForm::dispatchDragDrop(QWidget* target, QWidget* source, QPoint position)
{
    auto* label = qobject_cast<QLabel*>(target);
    const float x = float(position.x());
    const float y = float(position.y());
    if (const int i = ImageCheckLabel.indexOf(label); label && i > 0) {
        ImageCheckLabel_DragDrop(i, source, x, y);
    } else if (const int g = GISCheckLabel.indexOf(label); label && g > 0) {
        GISCheckLabel_DragDrop(g, source, x, y);
    }
}

bool CheckListForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        dispatchMouseDown(*label, vbButton(mouse->button()), vbShift(mouse->modifiers()),
            float(mouse->position().x()), float(mouse->position().y()));
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        if (const int g = GISColorBox.indexOf(label); g > 0) {
            GISColorBox_DblClick(g);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CheckListForm::dispatchMouseDown(QLabel& label, int button, int shift, float x, float y)
{
    if (const int i = ImageCheckLabel.indexOf(&label); i > 0) {
        ImageCheckLabel_MouseDown(i, button, shift, x, y);
    } else if (const int g = GISCheckLabel.indexOf(&label); g > 0) {
        GISCheckLabel_MouseDown(g, button, shift, x, y);
    } else if (const int b = AGCheckLabel.indexOf(&label); b > 0) {
        AGCheckLabel_MouseDown(b, button, shift, x, y);
    } else if (const int k = CheckLabel3.indexOf(&label); k > 0) {
        CheckLabel3_MouseDown(k, button, shift, x, y);
    }
}

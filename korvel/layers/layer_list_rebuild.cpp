// The rebuild of the "Loaded Files" panel: RefreshChecklist brings every row
// into line with the data. It places the rows of images, GIS layers, blocks
// and block sub-rows one row height apart from the scroll position on, shows
// those inside the panel's window and hides the others, sets their captions,
// tips and colours, sizes the scroll bar, shows "No Files Loaded" when nothing
// is loaded, sets the coordinate panel of the status bar and the zoom
// buttons, and ends with the floating list. It creates and removes no row:
// the Add procedures and the deletions do, so rows and records stay in step.
//
// Vertical places are pixels in the frame: a row sits one row height below
// the one before it (16 pixels on a screen 800 pixels wide, else 18), its
// label 3 pixels lower, and the block rows 7 pixels lower still when images
// or GIS layers stand above them with the separator in between.
#include "korvel/layers/layer_list.h"
#include "korvel/layers/row_label_colours.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/screen_metrics.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr int kLabelDrop = 3; // a label stands this far below its check box
constexpr int kBlockGap = 7; // room for the separator above the blocks

// The large-font display of the runtime: 12 twips per pixel.
bool largeFonts()
{
    return TwipsPerPixelX() == 12.0f;
}

void setBackColour(QWidget& box, qint32 colour)
{
    QPalette colours = box.palette();
    colours.setColor(QPalette::Window, toQColor(colour));
    box.setPalette(colours);
}

void setCaption(QLabel& label, const QString& caption, const QString& toolTip)
{
    label.setText(caption);
    label.setToolTip(toolTip);
    // The labels size themselves to their caption on one line.
    label.resize(label.sizeHint().width(), label.height());
}

// The check box of a row placed like its template, Top at `top`; its label
// 3 pixels lower, with the template label's Left and font.
void placeRow(
    QCheckBox& check, const QCheckBox& checkTemplate, QLabel& label, const QLabel& labelTemplate, int top)
{
    check.setGeometry(checkTemplate.x(), top, checkTemplate.width(), checkTemplate.height());
    label.move(labelTemplate.x(), top + kLabelDrop);
    label.setFont(labelTemplate.font());
}

} // namespace

void LayerList::RefreshChecklist()
{
    const ProgramGlobals& program = globals();
    const bool eight = m_form.eightHundredScreen();
    const int rowHeight = eight ? 16 : 18;

    // The ruler's distance stays while the ruler works.
    if (!m_form.Tools_Ruler->isChecked()) {
        m_form.StatusBar1->setPanelText(6, QString());
    }
    m_form.ProgressBar1->hide();
    m_form.ProgressBar1->setValue(m_form.ProgressBar1->minimum());

    StatusPanel& mode = m_form.StatusBar1->panel(3);
    mode.Text = program.UTMMode ? QStringLiteral("UTM") : QStringLiteral("Lat/Long");
    mode.Bevel = program.UTMMode ? PanelBevel::Raised : PanelBevel::Inset;
    m_form.StatusBar1->refresh();

    const int hidden = hiddenRowCount(listRowTotal(), m_form.Frame1->height(), rowHeight, eight);
    {
        // A lower maximum may move the position; the rows are placed from
        // the position read below, so the move needs no rebuild of its own.
        const QSignalBlocker quiet(m_form.ChecklistScroll);
        m_form.ChecklistScroll->setMaximum(hidden);
    }
    m_form.ChecklistScroll->setVisible(hidden > 0);
    const int scroll = m_form.ChecklistScroll->value();

    m_form.Label1->show();
    m_form.Toolbar->setEnabled(1, false);
    m_form.Toolbar->setEnabled(2, false);
    if (!program.ImageLoaded && !program.GISLoaded && !program.AGNAVLoaded) {
        m_form.Toolbar->setEnabled(3, false);
        m_form.Toolbar->setEnabled(4, false);
        m_form.ClearMapOverlays();
        mapState().MapEmpty = true;
    } else {
        m_form.Label1->hide();
        m_form.Toolbar->setEnabled(3, true);
        if (program.GISLoaded || program.AGNAVLoaded) {
            m_form.Toolbar->setEnabled(1, true);
        }
    }
    const LayerData& layers = layerData();
    const int images = std::min<int>(layers.ImageCount, int(layers.Images.size()) - 1);
    for (int i = 1; i <= images; ++i) {
        if (layers.Images[size_t(i)].Georeferenced) {
            m_form.Toolbar->setEnabled(2, true);
            break;
        }
    }

    const int lastImageTop = placeImageRows(rowHeight, scroll);
    const int lastGISTop = placeGISRows(rowHeight, lastImageTop);
    placeSeparator(lastGISTop);
    const bool rowsAbove = program.ImageLoaded || program.GISLoaded;
    placeBlockRows(rowHeight, rowsAbove ? lastGISTop + kBlockGap : m_form.GISCheck[0].y());
    m_form.Frame1->update();

    if (m_form.Check1[1].isChecked()) {
        if (FloatingToolWindow* floating = floatingToolWindow(FloatingTool::CheckList)) {
            floating->refreshForm();
        }
    }
}

void LayerList::ChecklistScroll_Change()
{
    RefreshChecklist();
}

void LayerList::ChecklistScroll_Scroll()
{
    RefreshChecklist();
}

bool LayerList::insidePanelWindow(int top) const
{
    return top >= 16 && top < m_form.Frame1->height() - 10;
}

int LayerList::placeImageRows(int rowHeight, int scroll)
{
    const LayerData& layers = layerData();
    const bool utm = globals().UTMMode;
    QCheckBox& checkTemplate = m_form.ImageCheck[0];
    QLabel& labelTemplate = m_form.ImageCheckLabel[0];
    // The template marks where the group starts: one row above its first row.
    checkTemplate.move(checkTemplate.x(), -scroll * rowHeight);
    labelTemplate.move(labelTemplate.x(), checkTemplate.y() + kLabelDrop);
    int top = checkTemplate.y();
    for (int p = 1; p <= layers.ImageCount; ++p) {
        top += rowHeight;
        QCheckBox* check = m_form.ImageCheck.at(p);
        QLabel* label = m_form.ImageCheckLabel.at(p);
        if (!check || !label || p >= int(layers.ImageOrder.size())) {
            continue;
        }
        const int record = layers.ImageOrder[size_t(p)];
        if (record < 1 || record >= int(layers.Images.size())) {
            continue;
        }
        const ImageLayer& image = layers.Images[size_t(record)];
        placeRow(*check, checkTemplate, *label, labelTemplate, top);
        // Images have their place in metres: they show in UTM mode only, and
        // only with a geo-reference.
        check->setEnabled(utm);
        if (image.Georeferenced) {
            setRowCaptionColour(*label, RowCaptionBlack);
        } else {
            check->setChecked(false);
            check->setEnabled(false);
            setRowCaptionColour(*label, RowCaptionRed);
        }
        setCaption(*label, image.DisplayName, rowToolTip(image.DisplayName, image.Path));
        check->setVisible(insidePanelWindow(top));
        label->setVisible(check->isVisibleTo(m_form.Frame1));
    }
    return top;
}

int LayerList::placeGISRows(int rowHeight, int lastImageTop)
{
    const LayerData& layers = layerData();
    const int boxOffset = largeFonts() ? 1 : -1;
    QCheckBox& checkTemplate = m_form.GISCheck[0];
    QLabel& labelTemplate = m_form.GISCheckLabel[0];
    QLabel& boxTemplate = m_form.GISColorBox[0];
    checkTemplate.move(checkTemplate.x(), lastImageTop);
    labelTemplate.move(labelTemplate.x(), lastImageTop + kLabelDrop);
    boxTemplate.move(boxTemplate.x(), labelTemplate.y() - 1);
    int top = lastImageTop;
    for (int p = 1; p <= layers.GISCount; ++p) {
        top += rowHeight;
        QCheckBox* check = m_form.GISCheck.at(p);
        QLabel* label = m_form.GISCheckLabel.at(p);
        QLabel* box = m_form.GISColorBox.at(p);
        if (!check || !label || !box || p >= int(layers.GISOrder.size())) {
            continue;
        }
        const int record = layers.GISOrder[size_t(p)];
        if (record < 1 || record >= int(layers.GISLayers.size())) {
            continue;
        }
        const GISLayer& layer = layers.GISLayers[size_t(record)];
        placeRow(*check, checkTemplate, *label, labelTemplate, top);
        box->move(boxTemplate.x(), label->y() + boxOffset);
        setBackColour(*box, layer.Colours.empty() ? 0 : layer.Colours.front());
        setRowCaptionColour(*label, RowCaptionBlack);
        setCaption(*label, layer.DisplayName, rowToolTip(layer.DisplayName, layer.Path));
        check->setVisible(insidePanelWindow(top));
        label->setVisible(check->isVisibleTo(m_form.Frame1));
        box->setVisible(label->isVisibleTo(m_form.Frame1));
    }
    return top;
}

void LayerList::placeSeparator(int lastGISTop)
{
    const ProgramGlobals& program = globals();
    m_form.Line1->hide();
    m_form.Line2->hide();
    if (!program.AGNAVLoaded || (!program.ImageLoaded && !program.GISLoaded)) {
        return;
    }
    const int y = lastGISTop + (largeFonts() ? 21 : 20);
    m_form.Line1->move(m_form.Line1->x(), y);
    m_form.Line1->setVisible(y >= 12 && y <= m_form.Frame1->height() - 5);
    m_form.Line1->raise();
    m_form.Line2->setGeometry(m_form.Line1->x(), y + 1, m_form.Line1->width(), m_form.Line2->height());
    m_form.Line2->setVisible(m_form.Line1->isVisibleTo(m_form.Frame1));
    m_form.Line2->raise();
}

void LayerList::placeBlockRows(int rowHeight, int templateTop)
{
    const AgnavData& agnav = agnavData();
    QCheckBox& checkTemplate = m_form.AGCheck[0];
    QLabel& labelTemplate = m_form.AGCheckLabel[0];
    QLabel& boxTemplate = m_form.AGColorBox[0];
    checkTemplate.move(checkTemplate.x(), templateTop);
    labelTemplate.move(labelTemplate.x(), templateTop + kLabelDrop);
    boxTemplate.move(boxTemplate.x(), labelTemplate.y() - 1);
    const QCheckBox& subCheckTemplate = m_form.Check3[0];
    const QLabel& subLabelTemplate = m_form.CheckLabel3[0];

    int top = templateTop;
    int rowsAbove = 1; // the rows of the block before, the template counting one
    int subRow = 0; // the running sub-row number
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        top += rowHeight * rowsAbove;
        rowsAbove = 1 + blockSubRowCount(block);
        QCheckBox* check = m_form.AGCheck.at(b);
        QLabel* label = m_form.AGCheckLabel.at(b);
        QLabel* box = m_form.AGColorBox.at(b);
        if (check && label && box) {
            placeRow(*check, checkTemplate, *label, labelTemplate, top);
            box->move(boxTemplate.x(), label->y() - 1);
            setBackColour(*box, block.Colour);
            setRowCaptionColour(*label, RowCaptionBlack);
            setCaption(*label, block.DisplayName, rowToolTip(block.DisplayName, block.Path));
            check->setVisible(insidePanelWindow(top));
            label->setVisible(check->isVisibleTo(m_form.Frame1));
            box->setVisible(label->isVisibleTo(m_form.Frame1));
        }
        // Sub-rows: guidance lines, exclusion zones, then the flights in order.
        for (int r = 1; r < rowsAbove; ++r) {
            ++subRow;
            QCheckBox* subCheck = m_form.Check3.at(subRow);
            QLabel* subLabel = m_form.CheckLabel3.at(subRow);
            if (!subCheck || !subLabel) {
                continue;
            }
            const SubRowPlace item = subRowOfBlock(block, r);
            const int subTop = top + rowHeight * r;
            subCheck->move(subCheckTemplate.x(), subTop);
            subLabel->move(subLabelTemplate.x(), subTop + kLabelDrop);
            subLabel->setFont(subLabelTemplate.font());
            setCaption(*subLabel, subRowCaption(block, item.kind, item.flight), QString());
            subCheck->setVisible(insidePanelWindow(subTop));
            subLabel->setVisible(subCheck->isVisibleTo(m_form.Frame1));
        }
    }
}

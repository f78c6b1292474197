#include "korvel/layers/layer_properties_form.h"

#include "korvel/layers/check_list_form.h"
#include "korvel/layers/layer_property_rows.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/control_array_loaders.h"
#include "platform/flex_grid.h"
#include "platform/form_design_kit.h"
#include "platform/msg_box.h"
#include "platform/program_window.h"
#include "platform/single_form.h"
#include "platform/vb_error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace {

SingleForm<PropsForm> g_form;

constexpr int kImage = 1;
constexpr int kGISLayer = 2;
constexpr int kBlock = 3;

// Layout distances in pixels. The layout computes the dialog's outer size as
// the classic desktop drew it: a 3-pixel border round it and a 19-pixel
// caption; the window manager adds its own.
constexpr int kSideBorders = 6;
constexpr int kTitleAndBorders = 25;
constexpr int kCaptionLeft = 8;
constexpr int kFirstRowTop = 56;
constexpr int kRowPitch = 16;
constexpr int kValueGap = 10;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 3;
constexpr int kFrameLeft = 4;

// The anchor of the dialog in the window that shows the clicked row: the
// screen position of the row's check box (top) and of its colour box (left;
// an image row has none, so its check box).
template <class Owner> std::optional<QPoint> rowAnchor(const Owner& owner, int kind, int position)
{
    const QWidget* top = nullptr;
    const QWidget* left = nullptr;
    switch (kind) {
    case kImage:
        top = left = owner.ImageCheck.at(position);
        break;
    case kGISLayer:
        top = owner.GISCheck.at(position);
        left = owner.GISColorBox.at(position);
        break;
    case kBlock:
        top = owner.AGCheck.at(position);
        left = owner.AGColorBox.at(position);
        break;
    default:
        break;
    }
    if (!top || !left) {
        return std::nullopt;
    }
    return QPoint(left->mapToGlobal(QPoint()).x(), top->mapToGlobal(QPoint()).y());
}

} // namespace

PropsForm& PropsForm::instance()
{
    return g_form.instance([] { return new PropsForm(MainForm::existing()); });
}

PropsForm* PropsForm::existing()
{
    return g_form.existing();
}

void PropsForm::release()
{
    g_form.release([](PropsForm& form) {
        if (form.m_loaded && !form.m_unloaded) {
            form.m_unloaded = true;
            form.Form_Unload();
        }
    });
}

PropsForm::PropsForm(QWidget* parent)
    : QDialog(parent)
{
    designFixedDialog(*this, QStringLiteral("PropsForm"), QStringLiteral("File Properties"));
    createControls();
    createColourControls();
}

PropsForm::~PropsForm() = default;

void PropsForm::createControls()
{
    DisplayNameLabel = new QLabel(QStringLiteral("Display Name:"), this);
    DisplayNameLabel->setObjectName(QStringLiteral("DisplayNameLabel"));
    DisplayNameLabel->move(kCaptionLeft, 8);
    DisplayNameLabel->adjustSize();
    DisplayNameText = new QLineEdit(this);
    DisplayNameText->setObjectName(QStringLiteral("DisplayNameText"));
    DisplayNameText->setGeometry(kCaptionLeft, 24, 200, 21);
    DisplayNameText->installEventFilter(this);

    auto* caption = new QLabel(QStringLiteral("File Name:"), this);
    caption->setObjectName(Label1.elementName(1));
    caption->move(kCaptionLeft, kFirstRowTop);
    caption->adjustSize();
    auto* value = new QLabel(this);
    value->setObjectName(Label2.elementName(1));
    value->move(kCaptionLeft + 80, kFirstRowTop);
    // The rows after the first are copies of element 1; the arrays have no
    // element 0 in the design, so a hidden one stands for it.
    for (auto [array, first] : { std::pair { &Label1, caption }, std::pair { &Label2, value } }) {
        auto* unused = new QLabel(this);
        unused->setObjectName(array->elementName(0));
        unused->hide();
        array->setElement(0, unused);
        array->setElement(1, first);
        array->setLoader([array = array, first = first](QLabel&, int index) {
            auto* row = new QLabel(first->parentWidget());
            copyWidgetDesign(*first, *row);
            row->setObjectName(array->elementName(index));
            row->hide();
            return row;
        });
    }

    AcceptButton = new QPushButton(QStringLiteral("Accept"), this);
    AcceptButton->setObjectName(QStringLiteral("AcceptButton"));
    AcceptButton->resize(kButtonWidth, kButtonHeight);
    AcceptButton->setDefault(true);
    connect(AcceptButton, &QPushButton::clicked, this, [this] { AcceptButton_Click(); });
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->resize(kButtonWidth, kButtonHeight);
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    // Escape is the Cancel button's: QDialog's reject() closes the same way.
}

void PropsForm::FileType(int kind, int index)
{
    LayerKind = kind;
    LayerIndex = index;
}

void PropsForm::showEvent(QShowEvent* event)
{
    // Loaded when first shown, after the caller has called FileType.
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}

void PropsForm::Form_Load()
{
    MainForm& main = MainForm::instance();
    OwnerWindow = &main;
    if (main.Check1[1].isChecked() && CheckListForm::existing()) {
        OwnerWindow = CheckListForm::existing();
    }
    m_position = LayerIndex;
    std::vector<PropertyRow> rows;
    try {
        if (fillPage(rows)) {
            showRows(rows);
        }
    } catch (const VbError& error) {
        MsgBox(QStringLiteral("KORVEL encountered the following error:\r") + error.Description());
    }
    arrangeControls();
    placeBesideRow(m_position);
    if (LayerKind == kGISLayer) {
        DBF_Button->show();
        const LayerData& layers = layerData();
        const bool exists = LayerIndex >= 1 && LayerIndex < int(layers.GISLayers.size())
            && !attributeTablePath(layers.GISLayers[size_t(LayerIndex)]).isEmpty();
        DBF_Button->setEnabled(exists);
    }
    ReleaseFloatingWindows();
}

bool PropsForm::fillPage(std::vector<PropertyRow>& rows)
{
    const LayerData& layers = layerData();
    const AgnavData& agnav = agnavData();
    const int position = LayerIndex;
    switch (LayerKind) {
    case kImage:
        if (position < 1 || position > layers.ImageCount || position >= int(layers.ImageOrder.size())) {
            return false;
        }
        LayerIndex = layers.ImageOrder[size_t(position)];
        if (LayerIndex < 1 || LayerIndex >= int(layers.Images.size())) {
            return false;
        }
        DisplayNameText->setText(layers.Images[size_t(LayerIndex)].DisplayName);
        rows = imagePropertyRows(layers.Images[size_t(LayerIndex)]);
        return true;
    case kGISLayer:
        if (position < 1 || position > layers.GISCount || position >= int(layers.GISOrder.size())) {
            return false;
        }
        LayerIndex = layers.GISOrder[size_t(position)];
        if (LayerIndex < 1 || LayerIndex >= int(layers.GISLayers.size())) {
            return false;
        }
        DisplayNameText->setText(layers.GISLayers[size_t(LayerIndex)].DisplayName);
        rows = gisPropertyRows(layers.GISLayers[size_t(LayerIndex)]);
        return true;
    case kBlock:
        if (position < 1 || position > agnav.BlockCount || position >= int(agnav.Blocks.size())) {
            return false;
        }
        DisplayNameText->setText(agnav.Blocks[size_t(position)].DisplayName);
        rows = blockPropertyRows(agnav.Blocks[size_t(position)], globals().MetricSystem);
        return true;
    default:
        return false;
    }
}

void PropsForm::showRows(const std::vector<PropertyRow>& rows)
{
    for (int i = 1; i <= int(rows.size()); ++i) {
        if (i > 1) {
            QLabel& caption = Label1.load(i);
            QLabel& value = Label2.load(i);
            caption.move(Label1[1].x(), Label1[i - 1].y() + kRowPitch);
            value.move(Label2[1].x(), Label2[i - 1].y() + kRowPitch);
            caption.show();
            value.show();
        }
        Label1[i].setText(rows[size_t(i) - 1].caption);
        Label1[i].adjustSize();
        Label2[i].setText(rows[size_t(i) - 1].value);
        Label2[i].adjustSize();
    }
}

void PropsForm::arrangeControls()
{
    int widestCaption = 0;
    int widestValue = 0;
    for (int i = 1; i <= Label1.UBound(); ++i) {
        widestCaption = std::max(widestCaption, Label1[i].width());
        widestValue = std::max(widestValue, Label2[i].width());
    }
    const int valueLeft = Label1[1].x() + widestCaption + kValueGap;
    for (int i = 1; i <= Label2.UBound(); ++i) {
        Label2[i].move(valueLeft, Label2[i].y());
    }
    // Never so narrow that Cancel, Accept and "Colours >>" overlap.
    const int buttonsWidth = kFrameLeft + 3 * kButtonWidth + kButtonGap + 8 + 8 + kSideBorders;
    const int width = std::max(valueLeft + widestValue + Label1[1].x() + 4, buttonsWidth);
    DisplayNameText->setGeometry(
        Label1[1].x(), DisplayNameText->y(), width - 4 - 2 * Label1[1].x(), DisplayNameText->height());

    const QLabel& lastCaption = Label1[Label1.UBound()];
    DBF_Button->move(width - DBF_Button->width() - 8, lastCaption.y() + lastCaption.height() + 5);
    if (LayerKind == kGISLayer) {
        DBF_Frame->setGeometry(kFrameLeft, DBF_Button->y() + DBF_Button->height() + 4,
            width - 6 - 2 * kFrameLeft, DBF_Frame->height());
        DBF_Button->move(DBF_Frame->x() + DBF_Frame->width() - DBF_Button->width(), DBF_Button->y());
        const int gridWidth = DBF_Frame->width() - 2 * DBF_FieldsCombo->x();
        DBF_FieldsCombo->resize(gridWidth, DBF_FieldsCombo->height());
        RecordsList->resize(gridWidth, RecordsList->height());
    }
    CancelButton->move(DBF_Frame->x(), DBF_Button->y());
    AcceptButton->move(CancelButton->x() + CancelButton->width() + kButtonGap, DBF_Button->y());
    setOuterSize(width, DBF_Button->y() + DBF_Button->height() + 30);
}

void PropsForm::setOuterSize(int width, int height)
{
    setFixedSize(width - kSideBorders, height - kTitleAndBorders);
}

int PropsForm::outerWidth() const
{
    return width() + kSideBorders;
}

void PropsForm::fitHeight(bool opened)
{
    const int bottom = opened ? DBF_Frame->y() + DBF_Frame->height() : DBF_Button->y() + DBF_Button->height();
    setOuterSize(outerWidth(), bottom + 30);
    // The colour coding's area opens downwards.
    keepWithinAvailableArea(*this);
}

void PropsForm::placeBesideRow(int position)
{
    std::optional<QPoint> anchor;
    if (auto* floating = qobject_cast<CheckListForm*>(OwnerWindow)) {
        anchor = rowAnchor(*floating, LayerKind, position);
    } else if (auto* main = qobject_cast<MainForm*>(OwnerWindow)) {
        anchor = rowAnchor(*main, LayerKind, position);
    }
    if (!anchor || !OwnerWindow) {
        return;
    }
    // Its right edge meets the row; when that puts it off the screen's left
    // edge it opens at the right edge of the window that shows the list.
    const QMargins frame = windowFrame(*this);
    int left = anchor->x() - (frame.left() + width() + frame.right());
    if (left < 0) {
        left = OwnerWindow->x() + OwnerWindow->frameGeometry().width();
    }
    move(left, anchor->y());
    // A row low on a small screen would put the bottom off the screen.
    keepWithinAvailableArea(*this);
}

void PropsForm::Form_Activate()
{
    CancelButton->setFocus();
    repaint();
    if (MainForm* main = MainForm::existing()) {
        main->Frame1->repaint();
    }
}

bool PropsForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
    }
    return QDialog::event(event);
}

bool PropsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DisplayNameText && event->type() == QEvent::FocusIn) {
        // After the focus has settled, or the click that gave it would
        // place the cursor over the selection.
        QTimer::singleShot(0, this, [this] { DisplayNameText_GotFocus(); });
    }
    return QDialog::eventFilter(watched, event);
}

void PropsForm::DisplayNameText_GotFocus()
{
    DisplayNameText->selectAll();
}

void PropsForm::AcceptButton_Click()
{
    const QString name = DisplayNameText->text();
    if (!name.isEmpty()) {
        renameLayer(name);
        // Rebuilds the floating list too while it is shown.
        MainForm::instance().RefreshChecklist();
        if (LayerKind == kGISLayer) {
            applyColourCoding();
        }
    }
    accept();
}

void PropsForm::renameLayer(const QString& name)
{
    LayerData& layers = layerData();
    AgnavData& agnav = agnavData();
    switch (LayerKind) {
    case kImage:
        if (LayerIndex >= 1 && LayerIndex < int(layers.Images.size())) {
            layers.Images[size_t(LayerIndex)].DisplayName = name;
        }
        break;
    case kGISLayer:
        if (LayerIndex >= 1 && LayerIndex < int(layers.GISLayers.size())) {
            layers.GISLayers[size_t(LayerIndex)].DisplayName = name;
        }
        break;
    case kBlock:
        if (LayerIndex >= 1 && LayerIndex < int(agnav.Blocks.size())) {
            agnav.Blocks[size_t(LayerIndex)].DisplayName = name;
        }
        break;
    default:
        break;
    }
}

void PropsForm::CancelButton_Click()
{
    reject();
}

void PropsForm::done(int result)
{
    if (m_loaded && !m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void PropsForm::Form_Unload()
{
    Table = AttributeTable();
    RestoreFloatingWindows();
}

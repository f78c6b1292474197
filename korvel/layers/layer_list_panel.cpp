// The "Loaded Files" panel's controls on the main window: the templates of
// the row arrays and what each new row element is connected to, the notice,
// the scroll bar and the separator, the panel's static layout for the screen
// (ArrangeLayerList), and the fitting of long captions into it.
//
// Distances are screen pixels, as in the rest of the window's layout; the
// check boxes keep their design size of 255 twips. Row elements are removed
// later (deleteLater), never at once: a row is often removed from inside an
// event of one of its own controls (Ctrl + right click on its label, a
// command of its pop-up menu).
#include "korvel/layers/layer_list.h"
#include "korvel/map/gis_layer_opening.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "platform/control_array_loaders.h"
#include "platform/control_drag.h"
#include "platform/file_drop_target.h"
#include "platform/menu_item.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/status_bar.h"
#include "platform/vb_fonts.h"
#include "platform/vb_input_codes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kFrameWidth = 280;
constexpr int kColourBoxLeft = 16;
constexpr int kColourBoxSize = 13;
constexpr int kSubRowCheckLeft = 56;
constexpr int kRowLabelWidth = 217;
constexpr int kSubRowLabelWidth = 193;
constexpr int kLabelHeight = 17;
constexpr int kCheckTwips = 255;

// A row element goes once control is back in the event loop; until then it
// is hidden and nameless, so nothing finds it.
template <class W> void unloadLater(W* element)
{
    element->hide();
    element->setObjectName(QString());
    element->deleteLater();
}

// The press and double-click events of the row labels and colour boxes,
// handed to the list's procedures with the runtime's arguments.
class RowEvents final : public QObject
{
public:
    RowEvents(LayerList& list, MainForm& form)
        : QObject(&list)
        , m_list(list)
        , m_form(form)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* control = qobject_cast<QLabel*>(watched);
        if (!control) {
            return false;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int button = vbButton(mouse->button());
            const int shift = vbShift(mouse->modifiers());
            const float x = float(mouse->position().x());
            const float y = float(mouse->position().y());
            if (const int i = m_form.ImageCheckLabel.indexOf(control); i > 0) {
                m_list.ImageCheckLabel_MouseDown(i, button, shift, x, y);
            } else if (const int g = m_form.GISCheckLabel.indexOf(control); g > 0) {
                m_list.GISCheckLabel_MouseDown(g, button, shift, x, y);
            } else if (const int b = m_form.AGCheckLabel.indexOf(control); b > 0) {
                m_list.AGCheckLabel_MouseDown(b, button, shift, x, y);
            } else if (const int k = m_form.CheckLabel3.indexOf(control); k > 0) {
                m_list.CheckLabel3_MouseDown(k, button, shift, x, y);
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            if (const int g = m_form.GISColorBox.indexOf(control); g > 0) {
                m_list.GISColorBox_DblClick(g);
                return true;
            }
            if (const int b = m_form.AGColorBox.indexOf(control); b > 0) {
                m_list.AGColorBox_DblClick(b);
                return true;
            }
            if (const int b = m_form.AGCheckLabel.indexOf(control); b > 0) {
                m_list.AGCheckLabel_DblClick(b);
                return true;
            }
        }
        return false;
    }

private:
    LayerList& m_list;
    MainForm& m_form;
};

QLabel* newLabel(const QString& name, QWidget& parent)
{
    auto* label = new QLabel(&parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

QFrame* newSeparatorLine(const QString& name, QWidget& parent, QPalette::ColorRole colour)
{
    auto* line = new QFrame(&parent);
    line->setObjectName(name);
    line->setAutoFillBackground(true);
    QPalette colours = line->palette();
    colours.setColor(QPalette::Window, colours.color(colour));
    line->setPalette(colours);
    line->hide();
    return line;
}

int rightEdge(const QWidget& control)
{
    return control.x() + control.width();
}

// The label's Width after its caption changed: the runtime's auto-size.
int autoSizedRightEdge(QLabel& label, const QString& caption)
{
    label.setText(caption);
    label.resize(label.sizeHint().width(), label.height());
    return rightEdge(label);
}

} // namespace

void LayerList::createLayerListTemplates()
{
    createLayerListFrameControls();
    auto* events = new RowEvents(*this, m_form);
    m_rowDrag = new ControlDrag(this);

    using Handler = void (LayerList::*)(int);
    auto checks = [this](ControlArray<QCheckBox>& array, Handler handler) {
        auto* check = new QCheckBox(m_form.Frame1);
        check->setObjectName(array.elementName(0));
        check->hide();
        array.setElement(0, check);
        array.setLoader(widgetLoader(array,
                            std::function<void(QCheckBox&, int)>([this, handler](QCheckBox& row, int index) {
                                // A value set in code runs the handler too, as a click does.
                                connect(&row, &QCheckBox::toggled, this,
                                    [this, handler, index] { (this->*handler)(index); });
                            })),
            unloadLater<QCheckBox>);
    };
    checks(m_form.ImageCheck, &LayerList::ImageCheck_Click);
    checks(m_form.GISCheck, &LayerList::GISCheck_Click);
    checks(m_form.AGCheck, &LayerList::AGCheck_Click);
    checks(m_form.Check3, &LayerList::Check3_Click);
    // An image row can be ticked only once its image is geo-referenced.
    m_form.ImageCheck[0].setEnabled(false);

    auto labels = [this, events](ControlArray<QLabel>& array, bool draggable) {
        array.setElement(0, newLabel(array.elementName(0), *m_form.Frame1));
        array.setLoader(
            widgetLoader(
                array, std::function<void(QLabel&, int)>([this, events, draggable, &array](QLabel& row, int) {
                    row.setFrameStyle(array[0].frameStyle());
                    row.installEventFilter(events);
                    if (draggable) {
                        m_rowDrag->setAutomaticDrag(row);
                    }
                })),
            unloadLater<QLabel>);
    };
    labels(m_form.ImageCheckLabel, true);
    labels(m_form.GISCheckLabel, true);
    labels(m_form.AGCheckLabel, false);
    labels(m_form.CheckLabel3, false);
    labels(m_form.GISColorBox, false);
    labels(m_form.AGColorBox, false);
    for (ControlArray<QLabel>* boxes : { &m_form.GISColorBox, &m_form.AGColorBox }) {
        QLabel& box = (*boxes)[0];
        // A picture box of the design: a sunken border round its colour.
        box.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        box.setAutoFillBackground(true);
    }
    connectLayerList();
}

void LayerList::createLayerListFrameControls()
{
    m_form.Label1 = newLabel(QStringLiteral("Label1"), *m_form.Frame1);
    m_form.Label1->setText(QStringLiteral("No Files Loaded"));
    m_form.Label1->setAlignment(Qt::AlignCenter);
    m_form.Label1->show();

    m_form.ChecklistScroll = new QScrollBar(Qt::Vertical, m_form.Frame1);
    m_form.ChecklistScroll->setObjectName(QStringLiteral("ChecklistScroll"));
    m_form.ChecklistScroll->setRange(0, 0);
    m_form.ChecklistScroll->setSingleStep(1);
    m_form.ChecklistScroll->setPageStep(1);
    m_form.ChecklistScroll->hide();

    m_form.Line1 = newSeparatorLine(QStringLiteral("Line1"), *m_form.Frame1, QPalette::Dark);
    m_form.Line2 = newSeparatorLine(QStringLiteral("Line2"), *m_form.Frame1, QPalette::Base);
}

void LayerList::connectLayerList()
{
    connect(m_form.ChecklistScroll, &QScrollBar::valueChanged, this, [this] { ChecklistScroll_Change(); });
    connect(m_form.ChecklistScroll, &QScrollBar::sliderMoved, this, [this] { ChecklistScroll_Scroll(); });
    connect(m_rowDrag, &ControlDrag::DragOver, this, &LayerList::dispatchDragOver);
    connect(m_rowDrag, &ControlDrag::DragDrop, this, &LayerList::dispatchDragDrop);
    new FileDropTarget(*m_form.Frame1, [this](const QStringList& files) { Frame1_OLEDragDrop(files); });
    new FileDropTarget(*m_form.Picture1, [this](const QStringList& files) { Picture1_OLEDragDrop(files); });

    connect(
        m_form.StatusBar1, &StatusBar::PanelClick, this, [this](int panel) { StatusBar1_PanelClick(panel); });
    connect(m_form.StatusBar1, &StatusBar::MouseUp, this,
        [this](int button, int shift, float x, float y) { StatusBar1_MouseUp(button, shift, x, y); });
    // The ellipsoid items are made when the window is initialized, after this.
    m_form.PopUp_EllipsoidList.setLoader(
        menuItemLoader(m_form.PopUp_EllipsoidList, [this](QAction& item, int index) {
            connectMenuClick(item, this, [this, index] { PopUp_EllipsoidList_Click(index); });
        }));

    connectMenuClick(*m_form.File_CloseAll, this, [this] { File_CloseAll_Click(); });
    connect(m_form.File_Menu, &QMenu::aboutToShow, this, [this] { File_Menu_Click(); });
}

void LayerList::ArrangeLayerList()
{
    const bool eight = m_form.eightHundredScreen();
    const int rowPitch = eight ? 16 : 18;
    const int rows = eight ? 15 : 18;
    // At the right edge of the window's client area, whatever frame the
    // desktop draws around it. On a short screen the frames below the list
    // take some of its height.
    m_form.Frame1->setGeometry(m_form.clientArea()->width() - m_form.Picture1->x() - kFrameWidth, 0,
        kFrameWidth, std::min(rows * rowPitch + 10, m_form.layerListRoom()));

    const QFont font = vbFont(m_form.LayoutFontName, m_form.LayoutFontSize);
    m_form.Label1->setFont(font);
    m_form.Label1->resize(137, m_form.Label1->sizeHint().height());
    m_form.Label1->move(m_form.Frame1->width() / 2 - m_form.Label1->width() / 2,
        m_form.Frame1->height() / 2 - m_form.Label1->height() / 2);

    m_form.ChecklistScroll->resize(10, m_form.ChecklistScroll->height());
    m_form.ChecklistScroll->move(m_form.Frame1->width() - 4 - m_form.ChecklistScroll->width(), 10);
    m_form.ChecklistScroll->resize(
        m_form.ChecklistScroll->width(), m_form.Frame1->height() - m_form.ChecklistScroll->y() - 4);

    // The separator runs from 8 pixels to 4 pixels left of the scroll bar;
    // the rebuild moves it down to its place.
    m_form.Line1->setGeometry(8, 40, m_form.ChecklistScroll->x() - 4 - 8, 1);
    m_form.Line2->setGeometry(m_form.Line1->x(), m_form.Line1->y() + 1, m_form.Line1->width(), 1);

    for (ControlArray<QLabel>* boxes : { &m_form.GISColorBox, &m_form.AGColorBox }) {
        (*boxes)[0].setGeometry(kColourBoxLeft, (*boxes)[0].y(), kColourBoxSize, kColourBoxSize);
    }
    const int checkSize = twipsToPixelsX(kCheckTwips);
    const int checkLeft = rightEdge(m_form.GISColorBox[0]) + 5;
    for (ControlArray<QCheckBox>* checks : { &m_form.ImageCheck, &m_form.GISCheck, &m_form.AGCheck }) {
        (*checks)[0].setGeometry(checkLeft, (*checks)[0].y(), checkSize, checkSize);
    }
    m_form.Check3[0].setGeometry(kSubRowCheckLeft, m_form.Check3[0].y(), checkSize, checkSize);

    const std::pair<ControlArray<QLabel>*, ControlArray<QCheckBox>*> rowLabels[]
        = { { &m_form.ImageCheckLabel, &m_form.ImageCheck }, { &m_form.GISCheckLabel, &m_form.GISCheck },
              { &m_form.AGCheckLabel, &m_form.AGCheck }, { &m_form.CheckLabel3, &m_form.Check3 } };
    for (auto [labels, checks] : rowLabels) {
        QLabel& label = (*labels)[0];
        label.setFont(font);
        const int width = labels == &m_form.CheckLabel3 ? kSubRowLabelWidth : kRowLabelWidth;
        label.setGeometry(rightEdge((*checks)[0]) + 3, label.y(), width, kLabelHeight);
    }
}

int LayerList::FitListCaption(const QString& Caption, bool SubEntry)
{
    // The text is measured as the user will see it: as the caption of the
    // template label, in the panel's font, sized to its text.
    QLabel& label = SubEntry ? m_form.CheckLabel3[0] : m_form.ImageCheckLabel[0];
    if (autoSizedRightEdge(label, Caption) <= m_form.Frame1->width() - 10) {
        return 0;
    }
    // Once cut, the text must end left of the separator's end, clear of the
    // scroll bar. The first ten characters and " ... " always stay: when
    // even they do not fit, the shortest form is shown and runs over.
    const int clearEnd = rightEdge(*m_form.Line1);
    const int longestCut = int(Caption.size()) - 10;
    int cut = 0;
    while (cut < longestCut) {
        ++cut;
        if (autoSizedRightEdge(label, captionWithCut(Caption, cut)) <= clearEnd) {
            break;
        }
    }
    return cut;
}

void LayerList::refitListCaptions()
{
    LayerData& layers = layerData();
    for (int i = 1; i <= layers.ImageCount && i < int(layers.Images.size()); ++i) {
        ImageLayer& image = layers.Images[size_t(i)];
        image.CaptionTrim = FitListCaption(image.Path, false);
    }
    for (int i = 1; i <= layers.GISCount && i < int(layers.GISLayers.size()); ++i) {
        GISLayer& layer = layers.GISLayers[size_t(i)];
        layer.CaptionTrim = FitListCaption(layer.Path, false);
    }
    AgnavData& agnav = agnavData();
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        AGNAVBlock& block = agnav.Blocks[size_t(b)];
        block.CaptionTrim = FitListCaption(block.Path, false);
        if (block.GuidanceLoaded) {
            block.Guidance.CaptionTrim = FitListCaption(block.Guidance.SourcePath, true);
        }
        for (int f = 1; f <= block.FlightCount && f < int(block.Flights.size()); ++f) {
            FlightFile& flight = block.Flights[size_t(f)];
            flight.CaptionTrim = FitListCaption(flight.Path, true);
        }
    }
}

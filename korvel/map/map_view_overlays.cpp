// The map view's part of the main window: the line controls laid over the
// map picture, and the wiring of the map's controls (the zoom toolbar, the
// extent boxes, the "&Graph" button, the File menu's loaders and the Tools
// menu's ruler) to their procedures.
#include "korvel/map/map_view.h"
#include "korvel/shell/main_form.h"
#include "platform/line_control.h"
#include "platform/menu_item.h"
#include "platform/picture_box.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"

#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

// The extent boxes' focus events, as the runtime's GotFocus and LostFocus.
// The watcher belongs to the part whose procedures it calls, so it stops
// watching when the part goes, before the boxes do.
class ExtentBoxFocus final : public QObject
{
public:
    ExtentBoxFocus(
        QLineEdit& box, QObject& owner, std::function<void()> gotFocus, std::function<void()> lostFocus)
        : QObject(&owner)
        , m_gotFocus(std::move(gotFocus))
        , m_lostFocus(std::move(lostFocus))
    {
        box.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            m_gotFocus();
        } else if (event->type() == QEvent::FocusOut) {
            m_lostFocus();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_gotFocus;
    std::function<void()> m_lostFocus;
};

LineControl* newLine(PictureBox& picture, const QString& name, qint32 colour, int drawMode, int width)
{
    auto* line = new LineControl(picture);
    line->setObjectName(name);
    line->setVisible(false);
    line->setBorderColor(colour);
    line->setDrawMode(drawMode);
    line->setBorderWidth(width);
    return line;
}

void makeTemplate(ControlArray<LineControl>& array, PictureBox& picture, int width)
{
    array.setElement(0, newLine(picture, array.elementName(0), 0, vbCopyPen, width));
    array.setLoader(lineControlLoader(array));
}

} // namespace

void MapView::createMapView()
{
    // The map is drawn on white, whatever the desktop's colours.
    m_form.Picture1->setBackColor(RGB(255, 255, 255));
    createMapOverlays();
    connectMapView();
    connectPointerEvents();
    setExtentBoxesOpen(false);
}

void MapView::createMapOverlays()
{
    PictureBox& picture = *m_form.Picture1;
    m_form.SelLineTop = newLine(picture, QStringLiteral("SelLineTop"), 0, vbInvert, 1);
    m_form.SelLineBottom = newLine(picture, QStringLiteral("SelLineBottom"), 0, vbInvert, 1);
    m_form.SelLineLeft = newLine(picture, QStringLiteral("SelLineLeft"), 0, vbInvert, 1);
    m_form.SelLineRight = newLine(picture, QStringLiteral("SelLineRight"), 0, vbInvert, 1);
    // Designed dotted, which the runtime draws solid at this width.
    m_form.RulerLine = newLine(picture, QStringLiteral("RulerLine"), RGB(255, 0, 0), vbCopyPen, 2);
    makeTemplate(m_form.DigitizeLine, picture, 2);
    makeTemplate(m_form.GuidanceLine, picture, 1);
    makeTemplate(m_form.OptimizeLine, picture, 1);
    makeTemplate(m_form.LabelLine, picture, 1);
}

void MapView::connectMapView()
{
    connect(m_form.Toolbar, &ToolBar::ButtonClick, this, [this](int index) { Toolbar_ButtonClick(index); });
    connect(m_form.GraphButton, &QPushButton::clicked, this, [this] { GraphButton_Click(); });

    const std::function<void()> changed[] = { [this] { Text1_Change(); }, [this] { Text2_Change(); },
        [this] { Text3_Change(); }, [this] { Text4_Change(); } };
    const std::function<void()> got[] = { [this] { Text1_GotFocus(); }, [this] { Text2_GotFocus(); },
        [this] { Text3_GotFocus(); }, [this] { Text4_GotFocus(); } };
    const std::function<void()> lost[] = { [this] { Text1_LostFocus(); }, [this] { Text2_LostFocus(); },
        [this] { Text3_LostFocus(); }, [this] { Text4_LostFocus(); } };
    QLineEdit* boxes[] = { m_form.Text1, m_form.Text2, m_form.Text3, m_form.Text4 };
    for (int i = 0; i < 4; ++i) {
        connect(boxes[i], &QLineEdit::textChanged, this, [handler = changed[i]] { handler(); });
        new ExtentBoxFocus(*boxes[i], *this, got[i], lost[i]);
    }

    connectMenuClick(*m_form.File_OpenBMP, this, [this] { File_OpenBMP_Click(); });
    connectMenuClick(*m_form.File_OpenGIS, this, [this] { File_OpenGIS_Click(); });
    connectMenuClick(*m_form.Tools_Ruler, this, [this] { Tools_Ruler_Click(); });
    connect(m_form.Tools_Digitize, &QMenu::aboutToShow, this, [this] { Tools_Digitize_Click(); });
}

#include "korvel/shell/main_form.h"

#include "korvel/shell/main_form_part.h"
#include "korvel/shell/panel_pictures.h"
#include "platform/control_array_loaders.h"
#include "platform/key_preview.h"
#include "platform/picture_box.h"
#include "platform/program_window.h"
#include "platform/screen_metrics.h"
#include "platform/single_form.h"
#include "platform/tool_bar.h"
#include "platform/vb_fonts.h"
#include "platform/vb_input_codes.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// The one main window of the run.
SingleForm<MainForm> g_form;
MainForm::Assembly g_assembly = nullptr;

} // namespace

MainForm& MainForm::instance()
{
    // The parts are assembled as part of the load, so a part that fails to
    // be made takes the new window with it.
    return g_form.instance([] { return new MainForm; },
        [](MainForm& form) {
            if (g_assembly) {
                g_assembly(form);
            }
            form.Form_Initialize();
        });
}

void MainForm::setAssembly(Assembly assembly)
{
    g_assembly = assembly;
}

void MainForm::adoptPart(MainFormPart* part)
{
    m_parts.emplace_back(part);
}

void MainForm::missingPart()
{
    qFatal("The main window was created without its parts: set MainForm::setAssembly first.");
}

MainForm* MainForm::existing()
{
    return g_form.existing();
}

void MainForm::release()
{
    if (MainForm* form = g_form.take()) {
        // The sink goes with the window at once; loaders that run before the
        // deferred delete talk to the silent one.
        if (&statusProgress() == form) {
            setStatusProgress(nullptr);
        }
        form->closeMailbox();
        setProgramMainWindow(nullptr);
        form->deleteLater();
    }
}

MainForm::MainForm()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("KORVEL"));
    resize(MainFormNormalSize);
    createControls();
    createMenuBar();
    connectFrameCommands();
    m_keyPreview = new KeyPreview(*this);
    connectKeyboard();
    setStatusProgress(this);
    setProgramMainWindow(this);
}

MainForm::~MainForm()
{
    // The parts go first, while the controls they hold and watch still exist.
    while (!m_parts.empty()) {
        m_parts.pop_back();
    }
    if (&statusProgress() == this) {
        setStatusProgress(nullptr);
    }
    g_form.forget(this);
}

void MainForm::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    // The form's design font; the layout sets the panel's own.
    m_client->setFont(vbFont(QStringLiteral("MS Sans Serif"), 8));
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    Picture1 = new PictureBox(m_client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(4, 4, 600, 600);
    auto* labelTemplate = new QLabel(Picture1);
    labelTemplate->setObjectName(Label2.elementName(0));
    labelTemplate->setMouseTracking(true);
    labelTemplate->hide();
    Label2.setElement(0, labelTemplate);
    Label2.setLoader(widgetLoader(Label2,
        std::function<void(QLabel&, int)>([this](QLabel& label, int) { label.installEventFilter(this); })));

    Frame1 = new QGroupBox(QStringLiteral("Loaded Files"), m_client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setMouseTracking(true);
    Frame1->installEventFilter(this);

    createMapScaleFrame();

    GraphButton = new QPushButton(QStringLiteral("&Graph"), m_client);
    GraphButton->setObjectName(QStringLiteral("GraphButton"));

    createToggleColumn();
    createGuidanceFrame();
    createMetFrame();
    createStatusArea();
}

void MainForm::createMapScaleFrame()
{
    Frame2 = new QGroupBox(QStringLiteral("Map Scale"), m_client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setMouseTracking(true);
    Frame2->installEventFilter(this);

    // The boxes hold the extent the picture's scale starts from.
    const char* names[] = { "Text1", "Text2", "Text3", "Text4" };
    const char* texts[] = { "0", "0", "10000", "10000" };
    QLineEdit** boxes[] = { &Text1, &Text2, &Text3, &Text4 };
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit(QString::fromLatin1(texts[i]), Frame2);
        box->setObjectName(QString::fromLatin1(names[i]));
        *boxes[i] = box;
    }
    for (int i = 1; i <= 4; ++i) {
        auto* marker = new QLabel(Frame2);
        marker->setObjectName(MapExtent.elementName(i));
        marker->setPixmap(extentMarkerPicture(i));
        marker->setFixedSize(16, 16);
        MapExtent.setElement(i, marker);
    }

    Picture3 = new QWidget(Frame2);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Toolbar = new ToolBar(Picture3);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->addButton(QStringLiteral("Zoom Selected GIS Layers"));
    Toolbar->addButton(QStringLiteral("Zoom Selected Images"));
    Toolbar->addButton(QStringLiteral("Custom Zoom"), ToolButtonStyle::Check);
    Toolbar->addButton(QStringLiteral("Previous Zoom"));
}

void MainForm::createToggleColumn()
{
    auto* toggleTemplate = new QPushButton(m_client);
    toggleTemplate->setObjectName(Check1.elementName(0));
    toggleTemplate->setCheckable(true);
    toggleTemplate->hide();
    Check1.setElement(0, toggleTemplate);
    const QString tips[] = { QStringLiteral("Loaded Files"), QStringLiteral("Zoom Options") };
    for (int index = 1; index <= 2; ++index) {
        auto* toggle = new QPushButton(m_client);
        toggle->setObjectName(Check1.elementName(index));
        toggle->setCheckable(true);
        toggle->setToolTip(tips[index - 1]);
        toggle->setIcon(floatingToggleIcon(index));
        toggle->setIconSize(QSize(24, 24));
        toggle->setFocusPolicy(Qt::NoFocus);
        // Shown in Map Mode only; the view commands show and hide the column.
        toggle->hide();
        Check1.setElement(index, toggle);
        connect(toggle, &QPushButton::toggled, this, [this, index] { Check1_Click(index); });
    }
}

int MainForm::WindowState() const
{
    if (isMinimized()) {
        return vbMinimized;
    }
    // A desktop's full-screen mode fills the screen as a maximised window does.
    return windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen) ? vbMaximized : vbNormal;
}

void MainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void MainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

bool MainForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        Form_GotFocus();
    }
    return QMainWindow::event(event);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    // The client area takes its size from the window's layout after the
    // window's own resize; the layout is placed on it.
    if (watched == m_client && event->type() == QEvent::Resize) {
        Form_Resize();
    }
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_client) {
            // Only the bare area: a move over a control without its own
            // handler is passed up to here and is not the window's.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!m_client->childAt(mouse->position().toPoint())) {
                Form_MouseMove(vbButton(mouse->buttons()), vbShift(mouse->modifiers()),
                    float(mouse->position().x() * TwipsPerPixelX()),
                    float(mouse->position().y() * TwipsPerPixelY()));
            }
        } else if (watched == Frame1) {
            Frame1_MouseMove();
        } else if (watched == Frame2) {
            Frame2_MouseMove();
        }
    }
    if (auto* label = qobject_cast<QLabel*>(watched)) {
        const int index = Label2.indexOf(label);
        if (index > 0 && event->type() == QEvent::MouseMove) {
            Label2_MouseMove(index);
        } else if (index > 0 && event->type() == QEvent::MouseButtonPress) {
            // X and Y are distances in the picture's units from the label's
            // top left corner, right and down.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPointF at = mouse->position();
            const float x = float(Picture1->toUserX(at.x()) - Picture1->toUserX(0));
            const float y = float(qAbs(Picture1->toUserY(at.y()) - Picture1->toUserY(0)));
            Label2_MouseDown(index, vbButton(mouse->button()), vbShift(mouse->modifiers()), x, y);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

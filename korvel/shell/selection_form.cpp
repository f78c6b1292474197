#include "korvel/shell/selection_form.h"

#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "platform/control_array_loaders.h"
#include "platform/form_design_kit.h"
#include "platform/literal_caption.h"
#include "platform/show_modal.h"
#include "platform/single_form.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace {

SelectionFormData g_data;
SingleForm<SelectionForm> g_form;

const QString kDesignQuestion = QStringLiteral("Which file would you like to apply this to?");

// The layout's distances in pixels. The sizes the form was laid out with
// were outer sizes of a fixed dialog on the classic desktop, a 3-pixel frame
// around it and a 19-pixel caption above; the window manager adds its own.
constexpr int kFrameWidth = 2 * 3;
constexpr int kFrameHeight = 19 + 2 * 3;
constexpr int kMargin = 8;
constexpr int kTemplateTop = 8; // 120 twips
constexpr int kOptionPitch = 17;
constexpr int kOptionHeight = 15;
constexpr int kAcceptBelowOption = 15;
constexpr int kAcceptWidth = 81;
constexpr int kAcceptHeight = 25;
constexpr int kBelowAccept = 31;
constexpr int kBesideText = 22;
constexpr int kRightOfAccept = 11;

QString blockFileName(int block)
{
    const AgnavData& agnav = agnavData();
    return block >= 1 && block <= agnav.BlockCount && block < int(agnav.Blocks.size())
        ? agnav.Blocks[std::size_t(block)].FileName
        : QString();
}

} // namespace

SelectionFormData& selectionFormData()
{
    return g_data;
}

int chooseLoadedBlock()
{
    const int blocks = agnavData().BlockCount;
    if (blocks <= 1) {
        return blocks;
    }
    SelectionForm& chooser = SelectionForm::instance();
    chooser.Selection = 1;
    chooser.ListType = SelectionListBlocks;
    const bool accepted = ShowModal(chooser) == QDialog::Accepted;
    const int choice = chooser.Selection;
    SelectionForm::release();
    return accepted && choice >= 1 && choice <= blocks ? choice : 0;
}

void resetSelectionFormData()
{
    g_data = SelectionFormData();
}

SelectionForm& SelectionForm::instance()
{
    return g_form.instance([] { return new SelectionForm(MainForm::existing()); });
}

void SelectionForm::release()
{
    g_form.release();
}

SelectionForm::SelectionForm(QWidget* parent)
    : QDialog(parent)
    , ListType(g_data.ListType)
    , Selection(g_data.Selection)
    , Prompt(g_data.Prompt)
{
    designFixedDialog(*this, QStringLiteral("SelectionForm"), QStringLiteral("Select a file..."));

    FileNameLabel = new QLabel(kDesignQuestion, this);
    FileNameLabel->setObjectName(QStringLiteral("FileNameLabel"));
    FileNameLabel->move(kMargin, kTemplateTop - 4);

    auto* option = new QRadioButton(QStringLiteral("Filename"), this);
    option->setObjectName(FileNameOption.elementName(0));
    option->setGeometry(kMargin, kTemplateTop, 200, kOptionHeight);
    FileNameOption.setElement(0, option);
    FileNameOption.setLoader(widgetLoader(FileNameOption,
        std::function<void(QRadioButton&, int)>(
            [this](QRadioButton& element, int) { element.installEventFilter(this); })));

    AcceptButton = new QPushButton(QStringLiteral("Accept"), this);
    AcceptButton->setObjectName(QStringLiteral("AcceptButton"));
    AcceptButton->resize(kAcceptWidth, kAcceptHeight);
    AcceptButton->setDefault(true);
    connect(AcceptButton, &QPushButton::clicked, this, [this] { AcceptButton_Click(); });
}

SelectionForm::~SelectionForm() = default;

void SelectionForm::LoadList(const std::vector<int>& blocks)
{
    g_data.Candidates = blocks.empty() ? std::vector<int>(1) : blocks;
}

void SelectionForm::showEvent(QShowEvent* event)
{
    // The form is loaded when it is first shown, after the caller has set
    // its public members.
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}

QStringList SelectionForm::candidateNames() const
{
    QStringList names;
    const LayerData& layers = layerData();
    switch (ListType) {
    case SelectionListBlocks:
        for (int b = 1; b <= agnavData().BlockCount; ++b) {
            names << blockFileName(b);
        }
        break;
    case SelectionListGISLayers:
        for (int p = 1; p <= layers.GISCount && p < int(layers.GISOrder.size()); ++p) {
            const int index = layers.GISOrder[std::size_t(p)];
            names << (index >= 1 && index < int(layers.GISLayers.size())
                    ? layers.GISLayers[std::size_t(index)].FileName
                    : QString());
        }
        break;
    case SelectionListImages:
        for (int p = 1; p <= layers.ImageCount && p < int(layers.ImageOrder.size()); ++p) {
            const int index = layers.ImageOrder[std::size_t(p)];
            names << (index >= 1 && index < int(layers.Images.size())
                    ? layers.Images[std::size_t(index)].FileName
                    : QString());
        }
        break;
    case SelectionListCandidates:
        for (std::size_t i = 1; i < g_data.Candidates.size(); ++i) {
            names << blockFileName(g_data.Candidates[i]);
        }
        break;
    default:
        break;
    }
    return names;
}

void SelectionForm::Form_Load()
{
    const QFontMetrics metrics(font());
    int widest = metrics.horizontalAdvance(kDesignQuestion);
    QRadioButton& optionTemplate = FileNameOption[0];
    optionTemplate.hide();
    optionTemplate.move(kMargin, kTemplateTop);
    if (ListType == SelectionListCandidates) {
        FileNameLabel->setText(Prompt);
    }
    FileNameLabel->adjustSize();

    const QStringList names = candidateNames();
    int top = kTemplateTop;
    for (int i = 1; i <= int(names.size()); ++i) {
        QRadioButton& option = FileNameOption.load(i);
        top += kOptionPitch;
        option.setText(literalCaption(names[i - 1]));
        // The caption with its round button must show whole.
        widest = std::max(widest, option.sizeHint().width());
        option.move(kMargin, top);
        option.show();
    }
    FileNameOption[FileNameOption.UBound()].setChecked(true);

    const int outerWidth = widest + kBesideText;
    const int acceptTop = top + kAcceptBelowOption;
    const int outerHeight = acceptTop + kAcceptHeight + kBelowAccept;
    for (int i = 0; i <= FileNameOption.UBound(); ++i) {
        FileNameOption[i].resize(outerWidth - kFrameWidth - kMargin, kOptionHeight);
    }
    AcceptButton->move(outerWidth - kRightOfAccept - kAcceptWidth, acceptTop);
    setFixedSize(outerWidth - kFrameWidth, outerHeight - kFrameHeight);
    // A list longer than the screen scrolls, down to its Accept button.
    scrollWhenLargerThanScreen(*this);
}

void SelectionForm::AcceptButton_Click()
{
    for (int i = 1; i <= FileNameOption.UBound(); ++i) {
        if (FileNameOption[i].isChecked()) {
            Selection = i;
        }
    }
    accept();
}

void SelectionForm::FileNameOption_DblClick(int Index)
{
    FileNameOption[Index].setChecked(true);
    AcceptButton_Click();
}

bool SelectionForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 1; i <= FileNameOption.UBound(); ++i) {
            if (watched == FileNameOption.at(i)) {
                FileNameOption_DblClick(i);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The chooser "Select a file...": what it lists for each list type, what
// Accept, a double click and the close box return, and its size.
#include "korvel/shell/selection_form.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "platform/show_modal.h"
#include "tests/support/korvel_test.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>

namespace {

class SelectionFormTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        for (const char* name : { "A.no1", "B.no1", "C.no1", "D.no1", "E.no1" }) {
            blockAt(appendBlock()).FileName = QLatin1String(name);
        }
        LayerData& layers = layerData();
        for (const char* name : { "Wege & Gräben.shp", "fields.shp" }) {
            layers.GISLayers[size_t(appendGISLayer())].FileName = QString::fromUtf8(name);
        }
        layers.GISOrder = { 0, 2, 1 }; // the list shows fields above the ditches
        for (const char* name : { "photo.bmp", "scan.jpg" }) {
            layers.Images[size_t(appendImage())].FileName = QLatin1String(name);
        }
        layers.ImageOrder = { 0, 2, 1 };
    }

    struct Shown
    {
        QString question;
        QStringList captions;
        int checked = 0;
        QSize size;
    };

    // Shows the chooser; `act` plays the user, after what was shown is noted.
    Shown show(int listType, const std::function<void(SelectionForm&)>& act, int* result = nullptr)
    {
        Shown shown;
        onModal<SelectionForm>([&](SelectionForm& form) {
            shown.question = form.FileNameLabel->text();
            for (int i = 1; i <= form.FileNameOption.UBound(); ++i) {
                // As drawn: a "&" marks the next character as the shortcut, "&&" shows one.
                shown.captions << form.FileNameOption[i].text().replace(QRegularExpression("&(.)"), "\\1");
                if (form.FileNameOption[i].isChecked()) {
                    shown.checked = i;
                }
            }
            shown.size = form.size();
            act(form);
        });
        SelectionForm& chooser = SelectionForm::instance();
        chooser.ListType = listType;
        const int code = ShowModal(chooser);
        if (result) {
            *result = code;
        }
        SelectionForm::release();
        return shown;
    }

    static void accept(SelectionForm& form) { form.AcceptButton->click(); }
};

TEST_F(SelectionFormTest, ListsTheFileNamesOfEachKindAndStartsOnTheLast)
{
    struct Row
    {
        int listType;
        QStringList captions;
    };
    selectionFormData().Candidates = { 0, 3, 5 };
    for (const Row& row : { Row { 1, { "A.no1", "B.no1", "C.no1", "D.no1", "E.no1" } },
             Row { 2, { "fields.shp", "Wege & Gräben.shp" } }, Row { 3, { "scan.jpg", "photo.bmp" } },
             Row { 4, { "C.no1", "E.no1" } }, Row { 7, {} } }) {
        SCOPED_TRACE(row.listType);
        const Shown shown = show(row.listType, accept);
        EXPECT_EQ(shown.captions, row.captions);
        EXPECT_EQ(shown.checked, row.captions.size());
        // The candidate list shows the caller's question instead, empty here.
        EXPECT_EQ(shown.question,
            row.listType == SelectionListCandidates ? "" : "Which file would you like to apply this to?");
    }
}

TEST_F(SelectionFormTest, TheCandidateListComesWithTheCallersQuestion)
{
    SelectionForm& chooser = SelectionForm::instance();
    chooser.Selection = 0;
    chooser.Prompt = QStringLiteral("Load flight data for which block?");
    chooser.LoadList({ 0, 3, 5 });
    const Shown shown = show(SelectionListCandidates, [](SelectionForm& form) {
        form.FileNameOption[1].setChecked(true);
        accept(form);
    });
    EXPECT_EQ(shown.question, "Load flight data for which block?");
    EXPECT_EQ(selectionFormData().Selection, 1) << "a position in the list, not a block";
    // The members outlive the form: the next caller sees the question left behind.
    EXPECT_EQ(SelectionForm::instance().Prompt, "Load flight data for which block?");
}

TEST_F(SelectionFormTest, AcceptDoubleClickAndCloseBox)
{
    SelectionFormData& data = selectionFormData();
    data.Candidates = { 0, 1, 2, 3 };

    data.Selection = 0;
    int code = 0;
    show(SelectionListCandidates, accept, &code);
    EXPECT_EQ(data.Selection, 3) << "the preselected last option";
    EXPECT_EQ(code, QDialog::Accepted);

    data.Selection = 0;
    show(SelectionListCandidates, [](SelectionForm& form) {
        QRadioButton& option = form.FileNameOption[2];
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), option.mapToGlobal(QPointF(5, 5)),
            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&option, &click);
    });
    EXPECT_EQ(data.Selection, 2);

    data.Selection = 0;
    show(
        SelectionListCandidates, [](SelectionForm& form) { form.close(); }, &code);
    EXPECT_EQ(data.Selection, 0) << "closed without Accept";
    EXPECT_EQ(code, QDialog::Rejected);

    data.Candidates = { 0 };
    data.Selection = 4;
    show(SelectionListCandidates, accept);
    EXPECT_EQ(data.Selection, 4) << "nothing to choose: unchanged";
}

TEST_F(SelectionFormTest, TheFormIsAsWideAsItsWidestCaption)
{
    const Shown narrow = show(1, accept);
    const QString longName = QStringLiteral("A_FIELD_WITH_A_VERY_LONG_NAME_INDEED_FOR_A_BOUNDARY.no1");
    blockAt(2).FileName = longName;
    const Shown wide = show(1, accept);
    QRadioButton probe(longName);
    probe.setFont(SelectionForm::instance().font());
    SelectionForm::release();
    EXPECT_GT(wide.size.width(), narrow.size.width());
    EXPECT_EQ(wide.size.width(), probe.sizeHint().width() + 22 - 6);
    // Five options 17 pixels apart, then the button.
    EXPECT_EQ(narrow.size.height(), 8 + 5 * 17 + 15 + 25 + 31 - 25);
}

TEST_F(SelectionFormTest, AListLongerThanTheScreenScrollsDownToAccept)
{
    setScreen(1280, 720, 32);
    for (int i = 0; i < 60; ++i) {
        blockAt(appendBlock()).FileName = QStringLiteral("BLOCK%1.no1").arg(i);
    }
    show(1, [](SelectionForm& form) {
        EXPECT_LE(form.frameGeometry().height(), 720);
        auto* view = form.findChild<QScrollArea*>();
        ASSERT_NE(view, nullptr);
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        const QWidget* shown = view->viewport();
        EXPECT_TRUE(shown->rect().contains(
            QRect(form.AcceptButton->mapTo(shown, QPoint()), form.AcceptButton->size())));
        accept(form);
    });
}

} // namespace

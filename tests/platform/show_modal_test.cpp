#include "platform/show_modal.h"
#include "tests/support/korvel_test.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A small modal form as the program's dialogs are made: a text box and
// Accept/Cancel buttons wired to accept() and reject().
class SpeedForm : public QDialog
{
    Q_OBJECT
public:
    SpeedForm()
    {
        setObjectName("SpeedForm");
        setWindowTitle("Aircraft speed");
        auto* layout = new QVBoxLayout(this);
        Text1 = new QLineEdit(this);
        AcceptButton = new QPushButton("&Accept", this);
        CancelButton = new QPushButton("Cancel", this);
        layout->addWidget(Text1);
        layout->addWidget(AcceptButton);
        layout->addWidget(CancelButton);
        connect(AcceptButton, &QPushButton::clicked, this, &QDialog::accept);
        connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    }

    QLineEdit* Text1;
    QPushButton* AcceptButton;
    QPushButton* CancelButton;
};

class OtherForm : public QDialog
{
    Q_OBJECT
};

} // namespace

using ShowModalTest = KorvelTest;

TEST_F(ShowModalTest, HandlerFillsTheFormAndPressesItsButton)
{
    bool wasModalAndVisible = false;
    onModal<SpeedForm>([&](SpeedForm& form) {
        wasModalAndVisible = form.isModal() && form.isVisible();
        form.Text1->setText("180");
        form.AcceptButton->click();
    });
    SpeedForm form;
    EXPECT_EQ(ShowModal(form), QDialog::Accepted);
    EXPECT_TRUE(wasModalAndVisible);
    EXPECT_EQ(form.Text1->text(), "180");
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.isModal()); // modal only for that showing

    ASSERT_EQ(modalForms().size(), 1u);
    EXPECT_EQ(modalForms()[0].objectName, "SpeedForm");
    EXPECT_EQ(modalForms()[0].windowTitle, "Aircraft speed");
}

TEST_F(ShowModalTest, HandlersGoToTheFormsTheyAreFor)
{
    QStringList order;
    onModal<OtherForm>([&](OtherForm& form) {
        order << "other";
        form.accept();
    });
    onModalNamed("SpeedForm", [&](QWidget& form) {
        order << "speed";
        static_cast<SpeedForm&>(form).CancelButton->click();
    });
    SpeedForm speed;
    OtherForm other;
    EXPECT_EQ(ShowModal(speed), QDialog::Rejected);
    EXPECT_EQ(ShowModal(other), QDialog::Accepted);
    EXPECT_EQ(order, (QStringList { "speed", "other" }));
}

TEST_F(ShowModalTest, AFormOpenedFromAHandlerGetsTheNextHandler)
{
    onModal<SpeedForm>([](SpeedForm& form) {
        OtherForm inner;
        EXPECT_EQ(ShowModal(inner), QDialog::Accepted);
        form.accept();
    });
    onModal<OtherForm>([](OtherForm& form) { form.accept(); });
    SpeedForm form;
    EXPECT_EQ(ShowModal(form), QDialog::Accepted);
    EXPECT_EQ(modalForms().size(), 2u);
}

TEST_F(ShowModalTest, FormWithoutHandlerIsRejectedAndFailsTheScript)
{
    SpeedForm form;
    EXPECT_EQ(ShowModal(form), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
    const QStringList failures = takeScriptFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("Unexpected modal form")) << failures[0].toStdString();
}

TEST_F(ShowModalTest, FormLeftOpenByItsHandlerIsClosedAndFailsTheScript)
{
    onModal<SpeedForm>([](SpeedForm&) {});
    SpeedForm form;
    EXPECT_EQ(ShowModal(form), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(takeScriptFailures().size(), 1);
}

TEST_F(ShowModalTest, HandlerThatDeletesTheFormIsSafe)
{
    auto* form = new SpeedForm;
    form->setAttribute(Qt::WA_DeleteOnClose);
    onModal<SpeedForm>([](SpeedForm& shown) { shown.AcceptButton->click(); });
    EXPECT_EQ(ShowModal(*form), QDialog::Accepted);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(ShowModalTest, DirectExecIsClosedByTheGuardInsteadOfWaiting)
{
    SpeedForm form;
    EXPECT_EQ(form.exec(), QDialog::Rejected);
    const QStringList failures = takeScriptFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("outside ShowModal"));
}

TEST_F(ShowModalTest, UnusedHandlerFailsTheScript)
{
    onModal<SpeedForm>([](SpeedForm& form) { form.accept(); });
    EXPECT_EQ(takeScriptFailures().size(), 1);
}

class RealShowModalTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        useRealDialogs();
    }
};

TEST_F(RealShowModalTest, DialogRunsItsOwnLoopUntilAccepted)
{
    SpeedForm form;
    form.show(); // shown modelessly before: shown again modally
    QTimer::singleShot(0, [&form] {
        EXPECT_EQ(QApplication::activeModalWidget(), &form);
        form.AcceptButton->click();
    });
    EXPECT_EQ(ShowModal(form), QDialog::Accepted);
}

TEST_F(RealShowModalTest, PlainWidgetFormReturnsWhenClosed)
{
    QWidget form;
    bool wasModal = false;
    QTimer::singleShot(0, [&form, &wasModal] {
        wasModal = form.isModal() && form.isVisible();
        form.close();
    });
    EXPECT_EQ(ShowModal(form), 0);
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(form.isModal());
}

#include "show_modal_test.moc"

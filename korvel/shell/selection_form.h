#pragma once
// "Select a file...": the one chooser of a loaded item, by its file name.
// It lists every AG-NAV block (ListType 1), every GIS layer in list order (2),
// every image in list order (3), or the blocks a command handed over with
// LoadList (4, under the command's question in Prompt), one option each,
// the last one chosen at the start.
//
//     SelectionForm& chooser = SelectionForm::instance();
//     chooser.Selection = 0;
//     chooser.ListType = SelectionListCandidates;
//     chooser.Prompt = QStringLiteral("Load flight data for which block?");
//     chooser.LoadList(candidates);
//     const bool accepted = ShowModal(chooser) == QDialog::Accepted;
//     const int position = chooser.Selection; // 1-based position in the list shown
//     SelectionForm::release();
//
// Accept (or a double click on an option) puts the chosen option's position
// into Selection; the close box leaves Selection as the caller set it. The
// public members keep their values after the form is released, as the
// form's public variables always did, so a caller that leaves Prompt alone
// shows the question of the last use.
#include "platform/control_array.h"

#include <QDialog>
#include <QString>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;

// ListType values.
inline constexpr int SelectionListBlocks = 1;
inline constexpr int SelectionListGISLayers = 2;
inline constexpr int SelectionListImages = 3;
inline constexpr int SelectionListCandidates = 4;

// The form's public members, which outlive its instances.
struct SelectionFormData
{
    int ListType = 0;
    int Selection = 0;
    QString Prompt;
    std::vector<int> Candidates = std::vector<int>(1); // block numbers at positions 1..m
};

SelectionFormData& selectionFormData();
void resetSelectionFormData();

// The block a command works on, among all loaded blocks: the only one, or
// the one chosen in the chooser, which starts on block 1 and shows only when
// there is a choice; 0 when no block is loaded or the chooser is closed
// without a choice.
int chooseLoadedBlock();

class SelectionForm final : public QDialog
{
    Q_OBJECT
public:
    // The chooser, created on first use (its controls are made when it is shown).
    static SelectionForm& instance();
    // Unloads and releases it; the next use starts with a fresh form.
    static void release();

    int& ListType;
    int& Selection;
    QString& Prompt;
    // Copies the caller's block numbers (positions 1..m; element 0 unused)
    // as the candidates of list type 4.
    void LoadList(const std::vector<int>& blocks);

    QLabel* FileNameLabel = nullptr;
    ControlArray<QRadioButton> FileNameOption { "FileNameOption" }; // 0 is the hidden template
    QPushButton* AcceptButton = nullptr;

    void Form_Load();
    void AcceptButton_Click();
    void FileNameOption_DblClick(int Index);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SelectionForm(QWidget* parent);
    ~SelectionForm() override;

    // The captions of the candidates of ListType, in the order shown.
    QStringList candidateNames() const;

    bool m_loaded = false;
};

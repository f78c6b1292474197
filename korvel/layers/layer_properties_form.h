#pragma once
// "File Properties": the modal dialog of one loaded layer, an image, a GIS
// layer or an AG-NAV block. It lists the layer's properties under its
// display name, which the user can change, and for a GIS layer offers the
// area "Feature Colour Coding" ("Colours >>"), where the layer's features
// are coloured by the value of one field of its dBASE table.
//
//     PropsForm& props = PropsForm::instance();
//     props.FileType(2, SelectedLayer); // 1 image, 2 GIS layer, 3 block
//     ShowModal(props);
//     PropsForm::release();
//
// The dialog opens beside the clicked row, in the floating layer list while
// that is shown, else in the main window; the floating tool windows stay
// behind the main window while it is open. Accept with an empty name applies
// nothing; Cancel changes nothing. The attribute table is read at most once
// per opening, the first time the colour area opens, and the layer's
// colour coding changes only when the area was opened and the table read.
#include "korvel/layers/attribute_table.h"
#include "platform/control_array.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <vector>

class FlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct PropertyRow;

class PropsForm final : public QDialog
{
    Q_OBJECT
public:
    // The dialog, created on first use; it is loaded when it is first shown.
    static PropsForm& instance();
    static PropsForm* existing();
    // Unloads (once) and destroys it; the next use starts fresh.
    static void release();

    // The layer the dialog shows: kind 1 image, 2 GIS layer, 3 block, and
    // the row's list position (for a block its number).
    void FileType(int kind, int index);

    QLabel* DisplayNameLabel = nullptr;
    QLineEdit* DisplayNameText = nullptr;
    ControlArray<QLabel> Label1 { "Label1" }; // captions; element 1 of the design
    ControlArray<QLabel> Label2 { "Label2" }; // values
    QPushButton* AcceptButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* DBF_Button = nullptr; // "Colours >>", a toggle
    QGroupBox* DBF_Frame = nullptr; // "Feature Colour Coding"
    ControlArray<QRadioButton> ColourOption { "ColourOption" }; // 1 "None", 2 "By Value"
    QComboBox* DBF_FieldsCombo = nullptr;
    FlexGrid* RecordsList = nullptr; // column 0 the swatch, column 1 the value
    QPushButton* ColourRampButton = nullptr;

    // Dialog state, reset with every new dialog.
    int LayerKind = 0;
    int LayerIndex = 0; // the record index once loaded
    QWidget* OwnerWindow = nullptr; // the window that shows the clicked row
    AttributeTable Table; // the layer's attribute table while the dialog is open
    bool FieldsLoaded = false;
    int FieldIndex = -1; // the field the value list was built for, from 0
    QStringList Values; // distinct values of that field, sorted, from 0
    std::vector<std::int32_t> ValueColours;
    int ValueCount = 0;
    bool Filling = false;
    bool ColoursChanged = false;

    void Form_Load();
    void Form_Activate();
    void DisplayNameText_GotFocus();
    void AcceptButton_Click();
    void CancelButton_Click();
    void Form_Unload();

    // The colour coding area (layer_properties_colours.cpp).
    void DBF_Button_Click();
    void ColourOption_Click(int Index);
    void DBF_FieldsCombo_Click();
    void RecordsList_Click(int Row, int Col);
    void ColourRampButton_Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    explicit PropsForm(QWidget* parent);
    ~PropsForm() override;

    void createControls();
    void createColourControls();
    // The rows of the page, and the record's display name; false when the
    // layer is gone.
    bool fillPage(std::vector<PropertyRow>& rows);
    void showRows(const std::vector<PropertyRow>& rows);
    void arrangeControls();
    void placeBesideRow(int position);
    // The dialog's outer size as the layout computes it (borders and title included).
    void setOuterSize(int width, int height);
    int outerWidth() const;
    void renameLayer(const QString& name);
    // Stores the coding area's choice in the GIS layer.
    void applyColourCoding();
    void setFieldPosition(int position);
    // The colour area's height: opened (frame shown) or closed.
    void fitHeight(bool opened);

    int m_position = 0; // the row's list position as FileType gave it
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_tableRead = false; // the table was read without an error
};

// The "Feature Colour Coding" area of the layer properties dialog, for GIS
// layers: the user picks a field of the layer's attribute table, the value
// grid lists the field's distinct values each beside a colour swatch, and
// the swatches are set one by one with the colour dialog or all at once with
// a red-to-blue ramp. Accept stores the values and colours as the layer's
// classes and colours every feature by its value; swatches all left in the
// layer's own colour mean no coding.
#include "korvel/layers/colour_coding.h"
#include "korvel/layers/colour_dialog.h"
#include "korvel/layers/colour_ramp.h"
#include "korvel/layers/layer_properties_form.h"
#include "korvel/layers/value_classes.h"
#include "korvel/workspace/layer_records.h"
#include "platform/control_array_loaders.h"
#include "platform/flex_grid.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int kNone = 1;
constexpr int kByValue = 2;
constexpr int kSwatch = 0;
constexpr int kValue = 1;

const QString kOpenCaption = QStringLiteral("Colours >>");
const QString kCloseCaption = QStringLiteral("<< Colours");

GISLayer* codedLayer(int record)
{
    LayerData& layers = layerData();
    return record >= 1 && record < int(layers.GISLayers.size()) ? &layers.GISLayers[size_t(record)] : nullptr;
}

} // namespace

void PropsForm::createColourControls()
{
    DBF_Button = new QPushButton(kOpenCaption, this);
    DBF_Button->setObjectName(QStringLiteral("DBF_Button"));
    DBF_Button->setCheckable(true);
    DBF_Button->resize(81, 23);
    DBF_Button->hide();
    connect(DBF_Button, &QPushButton::toggled, this, [this] { DBF_Button_Click(); });

    DBF_Frame = new QGroupBox(QStringLiteral("Feature Colour Coding"), this);
    DBF_Frame->setObjectName(QStringLiteral("DBF_Frame"));
    DBF_Frame->setGeometry(4, 0, 250, 214);
    DBF_Frame->hide();

    const QString captions[] = { QStringLiteral("None"), QStringLiteral("By Value") };
    for (int i = kNone; i <= kByValue; ++i) {
        auto* option = new QRadioButton(captions[i - 1], DBF_Frame);
        option->setObjectName(ColourOption.elementName(i));
        option->setGeometry(12 + (i - 1) * 80, 18, 75, 17);
        ColourOption.setElement(i, option);
        // Chosen in code or by the user, as the option's Click ran for both.
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                ColourOption_Click(i);
            }
        });
    }

    DBF_FieldsCombo = new QComboBox(DBF_Frame);
    DBF_FieldsCombo->setObjectName(QStringLiteral("DBF_FieldsCombo"));
    DBF_FieldsCombo->setGeometry(12, 42, 226, 21);
    DBF_FieldsCombo->hide();
    connect(DBF_FieldsCombo, &QComboBox::currentIndexChanged, this, [this] { DBF_FieldsCombo_Click(); });

    RecordsList = new FlexGrid(DBF_Frame);
    RecordsList->setObjectName(QStringLiteral("RecordsList"));
    RecordsList->setGeometry(12, 68, 226, 110);
    RecordsList->setCols(2);
    RecordsList->hide();
    connect(RecordsList, &FlexGrid::Click, this, &PropsForm::RecordsList_Click);

    ColourRampButton = new QPushButton(QStringLiteral("Colour Ramp"), DBF_Frame);
    ColourRampButton->setObjectName(QStringLiteral("ColourRampButton"));
    ColourRampButton->setGeometry(12, 184, 97, 23);
    ColourRampButton->hide();
    connect(ColourRampButton, &QPushButton::clicked, this, [this] { ColourRampButton_Click(); });
    ColourOption[kNone].setChecked(true);
}

void PropsForm::DBF_Button_Click()
{
    if (!DBF_Button->isChecked()) {
        DBF_Button->setText(kOpenCaption);
        DBF_Frame->hide();
        fitHeight(false);
        return;
    }
    DBF_Button->setText(kCloseCaption);
    DBF_Frame->show();
    fitHeight(true);
    if (!FieldsLoaded) {
        FieldsLoaded = true;
        const AttributeTableRead read = ReadDBFTable(LayerIndex, Table);
        if (!read.ok) {
            // The area stays empty, and Accept leaves the layer's coding
            // alone: a table that cannot be read now says nothing about the
            // classes.
            MsgBox(read.message);
            return;
        }
        m_tableRead = true;
        {
            const QSignalBlocker quiet(DBF_FieldsCombo);
            for (int i = 1; i <= Table.FieldCount; ++i) {
                DBF_FieldsCombo->addItem(Table.FieldNames.value(i));
            }
        }
        setFieldPosition(0);
    }
    if (!m_tableRead) {
        return;
    }
    const GISLayer* layer = codedLayer(LayerIndex);
    if (layer && layer->ColourCoding != 0) {
        ColourOption[kByValue].setChecked(true);
    }
}

void PropsForm::setFieldPosition(int position)
{
    {
        const QSignalBlocker quiet(DBF_FieldsCombo);
        DBF_FieldsCombo->setCurrentIndex(position);
    }
    // The field choice runs once for the position set, changed or not.
    DBF_FieldsCombo_Click();
}

void PropsForm::ColourOption_Click(int Index)
{
    if (Index == kNone) {
        DBF_FieldsCombo->hide();
        RecordsList->hide();
        ColourRampButton->hide();
        Values.clear();
        ValueColours.clear();
        ValueCount = 0;
        return;
    }
    DBF_FieldsCombo->show();
    RecordsList->show();
    ColourRampButton->show();
    RecordsList->setColWidth(kSwatch, RecordsList->RowHeight());
    RecordsList->setColWidth(
        kValue, std::max(0, RecordsList->viewport()->width() - RecordsList->RowHeight()));
    int position = 0;
    const GISLayer* layer = codedLayer(LayerIndex);
    if (layer && layer->ColourCoding != 0 && layer->CodingField - 1 < DBF_FieldsCombo->count()) {
        position = std::max(0, layer->CodingField - 1);
    }
    setFieldPosition(std::min(position, DBF_FieldsCombo->count() - 1));
}

void PropsForm::DBF_FieldsCombo_Click()
{
    RecordsList->setRows(1);
    RecordsList->Clear();
    RecordsList->setTextMatrix(0, kValue, QStringLiteral("Reading dBase info..."));
    RecordsList->repaint();

    FieldIndex = DBF_FieldsCombo->currentIndex();
    const FieldValueList list = distinctFieldValues(Table, FieldIndex);
    Values = list.Values;
    ValueCount = int(Values.size());
    const GISLayer* layer = codedLayer(LayerIndex);
    ValueColours = layer ? proposedValueColours(*layer, FieldIndex, ValueCount)
                         : std::vector<std::int32_t>(size_t(ValueCount), 0);

    Filling = true;
    RecordsList->setRows(ValueCount);
    RecordsList->Clear();
    for (int i = 0; i < ValueCount; ++i) {
        RecordsList->setTextMatrix(i, kValue, Values[i]);
        RecordsList->setCellBackColor(i, kSwatch, ValueColours[size_t(i)]);
    }
    Filling = false;
    RecordsList->setTopRow(0);
}

void PropsForm::RecordsList_Click(int Row, int Col)
{
    if (Filling || Col != kSwatch || Row < 0 || Row >= RecordsList->Rows()) {
        return;
    }
    const std::int32_t old = RecordsList->CellBackColor(Row, kSwatch);
    try {
        const std::optional<std::int32_t> chosen = chooseColour(this, old);
        if (!chosen) {
            return;
        }
        RecordsList->setCellBackColor(Row, kSwatch, *chosen);
        if (Row < int(ValueColours.size())) {
            ValueColours[size_t(Row)] = *chosen;
        }
        if (*chosen != old) {
            ColoursChanged = true;
        }
    } catch (const VbError& error) {
        MsgBox(QStringLiteral("KORVEL encountered the following error:\r") + error.Description());
    }
}

void PropsForm::ColourRampButton_Click()
{
    // Without values there is nothing to colour, and nothing changed.
    const std::vector<std::int32_t> colours = colourRamp(ValueCount);
    for (int k = 0; k < int(colours.size()) && k < RecordsList->Rows(); ++k) {
        RecordsList->setCellBackColor(k, kSwatch, colours[size_t(k)]);
        if (k < int(ValueColours.size())) {
            ValueColours[size_t(k)] = colours[size_t(k)];
        }
    }
    if (!colours.empty()) {
        ColoursChanged = true;
    }
}

void PropsForm::applyColourCoding()
{
    GISLayer* layer = codedLayer(LayerIndex);
    if (!layer) {
        return;
    }
    ColourCodingChoice choice;
    choice.opened = FieldsLoaded && m_tableRead;
    choice.byValue = ColourOption[kByValue].isChecked();
    choice.fieldIndex = DBF_FieldsCombo->currentIndex();
    const int rows = std::min(ValueCount, RecordsList->Rows());
    for (int r = 0; r < rows; ++r) {
        choice.rows.push_back({ RecordsList->CellBackColor(r, kSwatch), RecordsList->TextMatrix(r, kValue) });
    }
    choice.coloursChanged = ColoursChanged;
    ::applyColourCoding(*layer, choice, Table);
}

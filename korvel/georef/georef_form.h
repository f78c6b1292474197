#pragma once
// "Image Geo-Referencing": the modal window that places one loaded image,
// Images(CurrentImage), on the UTM grid. The map view Picture1 shows the
// ticked GIS layers and spray flights in UTM metres, the image view Picture2
// the image in its own pixels. The user pairs places on both views as
// control points (or, with no map data ticked, clicks the image and types
// the UTM values), watches the fit and its residuals in the point list,
// corrects the result by hand under the preview, and saves the image's
// geo-reference file or cancels.
//
//     main.CurrentImage = record;
//     GeoRefForm& form = GeoRefForm::instance(); // loads it for that image
//     ShowModal(form);
//     GeoRefForm::release();
//
// The procedures are spread over files by what they do: georef_form.cpp
// (opening, modes, clicks, closing), georef_form_layout.cpp,
// georef_point_rows.cpp (the point list, picks, typed entry, the fit and the
// markers), georef_views.cpp (drawing and zooming the two views),
// georef_preview.cpp (shift, stretch and preview) and georef_save.cpp (the
// geo-reference file).
#include "korvel/georef/control_point_list.h"
#include "korvel/georef/georef_fit.h"
#include "korvel/georef/manual_corrections.h"
#include "korvel/georef/view_windows.h"
#include "platform/control_array.h"

#include <QDialog>
#include <QImage>
#include <array>
#include <optional>

struct ImageLayer;
class PictureBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;

class GeoRefForm final : public QDialog
{
    Q_OBJECT
public:
    // The window for MainForm.CurrentImage, created and loaded on first use.
    static GeoRefForm& instance();
    static GeoRefForm* existing();
    // Unloads (once) and destroys it; the next use starts fresh.
    static void release();

    // --- Views and modes ---
    PictureBox* Picture1 = nullptr; // map view, UTM metres
    PictureBox* Picture2 = nullptr; // image view, image pixels
    QRadioButton* Option1 = nullptr; // "Zoom &In"
    QRadioButton* Option2 = nullptr; // "Zoom &Out"
    QRadioButton* Option3 = nullptr; // "Pick Points"
    QRadioButton* Option4 = nullptr; // "Delete Point"

    // --- Point list; element 0 of each array is the hidden template ---
    QGroupBox* Frame1 = nullptr; // "Selected Points"
    ControlArray<PictureBox> CounterPic { "CounterPic" }; // the point's marker
    ControlArray<QLabel> CounterLabel { "CounterLabel" }; // " 1."
    ControlArray<QLabel> UTMLabel { "UTMLabel" };
    ControlArray<QLabel> PixelLabel { "PixelLabel" };
    ControlArray<QLabel> DeltaLabel { "DeltaLabel" }; // residuals
    QLineEdit* Text1 = nullptr; // typed northing
    QLineEdit* Text2 = nullptr; // typed easting
    QPushButton* Command1 = nullptr; // "Accept UTM" or "Cancel"
    QPushButton* SaveButton = nullptr; // "&Save GeoRef", the default button
    QPushButton* ExitButton = nullptr; // "&Cancel", Escape

    // --- Shift, stretch and preview ---
    QGroupBox* PreviewFrame = nullptr; // "Preview"
    PictureBox* PreviewBox = nullptr;
    QScrollBar* PreviewScrollH = nullptr;
    QScrollBar* PreviewScrollV = nullptr;
    QGroupBox* ShiftFrame = nullptr; // "Shift"
    QGroupBox* StretchFrame = nullptr; // "Stretch"
    ControlArray<QPushButton> ShiftButton { "ShiftButton" }; // 0 west, 1 north, 2 east, 3 south
    ControlArray<QPushButton> StretchButton { "StretchButton" }; // 0 narrower, 1 +height, 2 wider, 3 -height
    QPushButton* ShiftReset = nullptr;
    QPushButton* StretchReset = nullptr;
    QSlider* FactorSlider = nullptr; // 0..4: steps of 1 m to 10 km
    QLabel* FactorLabel = nullptr;
    QLabel* ShiftXLabel = nullptr;
    QLabel* ShiftYLabel = nullptr;
    QLabel* StretchXLabel = nullptr;
    QLabel* StretchYLabel = nullptr;

    // --- State of one opening ---
    ControlPointList ControlPoints;
    // At least one GIS layer or AG-NAV block was ticked when the window
    // opened: UTM values are clicked on the map view, not typed.
    bool MapAvailable = false;
    MapExtent Extent = EmptyDataExtent; // ExtentMinX, ExtentMinY, ExtentMaxX, ExtentMaxY
    int ImagePixelWidth = 0;
    int ImagePixelHeight = 0;
    // The fit of the complete points; nothing while there is none.
    std::optional<GeoRefFit> Fit;
    // The fit's results with the corrections added (the record's until a fit exists).
    qint32 OriginEasting = 0;
    qint32 OriginNorthing = 0;
    qint32 GroundWidth = 0;
    qint32 GroundHeight = 0;
    ManualCorrections Corrections; // ShiftX, ShiftY, StretchX, StretchY
    std::array<qint32, 4> PointColours {}; // marker fills of points 1-4 and 5-8
    bool WindowReady = false;
    int PreviewScale = 1; // image pixels per preview pixel
    QImage ImagePicture; // the image, loaded when the window first activates
    int ImageIndex = 0; // the record in Images it works on

    // --- Opening and closing (georef_form.cpp) ---
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void ExitButton_Click();
    void ExitButton_LostFocus();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture2_MouseDown(int Button, int Shift, float X, float Y);
    // True while a typed UTM entry is open.
    bool entryOpen() const { return m_entryOpen; }
    // The window was closed by a save (the record holds the new geo-reference).
    bool saved() const { return m_saved; }

    // --- Layout (georef_form_layout.cpp) ---
    void ArrangeControls();

    // --- Point list (georef_point_rows.cpp) ---
    void MapPick(float X, float Y);
    void ImagePick(float X, float Y);
    void Text1_Change();
    void Text2_Change();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Command1_Click();
    void CounterPic_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void CounterLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void UTMLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void PixelLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void DeltaLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void UpdatePointList();
    // Refits over the complete points, adds the corrections and, once the
    // window is ready, redraws the preview. Returns whether a fit exists.
    bool FitGeoreference();
    void DrawControlPoints();

    // --- Views (georef_views.cpp) ---
    void DrawGISLayers(PictureBox& Target);
    void DrawAGNAVData();
    void DrawImageView();
    void ZoomIn(PictureBox& View, float X, float Y, int Shift);
    void ZoomOut(PictureBox& View, float X, float Y, int Shift);

    // --- Shift, stretch and preview (georef_preview.cpp) ---
    void FactorSlider_Change();
    void FactorSlider_Scroll();
    void ShiftButton_Click(int Index);
    void StretchButton_Click(int Index);
    void ShiftReset_Click();
    void StretchReset_Click();
    void PreviewScrollH_Scroll();
    void PreviewScrollV_Scroll();
    void PreviewScrollH_Change();
    void PreviewScrollV_Change();
    void DrawPreview();

    // --- The geo-reference file (georef_save.cpp) ---
    void SaveButton_Click();
    void ReadGeoRefFile();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    explicit GeoRefForm(QWidget* parent);
    ~GeoRefForm() override;

    // True on a screen 1024 pixels wide or narrower, or one whose free area
    // cannot hold the window's normal size: the window then takes it whole.
    static bool openMaximised();
    void createControls();
    void createPointRowTemplates();
    void createPreviewControls();
    void connectControls();
    // Places every control for the window's present inner size; true when
    // a picture's size changed.
    bool layoutControls();
    // Draws both views and the preview again (after their sizes changed).
    void redrawAll();
    void layoutPreviewFrame();
    int rowTop(int row) const;

    // The record the window works on, Images(ImageIndex); nullptr when that
    // image is no longer loaded.
    ImageLayer* imageRecord() const;

    // Opening steps.
    void widenExtentByTickedLayers();
    void widenExtentByBlocks();
    void setViewPointers(const QImage& icon);
    bool loadImagePicture();

    // Point rows.
    void syncPointRows();
    void placePointRow(int row);
    void drawRowMarker(int row);
    void drawMarker(PictureBox& view, int point, double x, double y);
    void openTypedEntry();
    void closeTypedEntry();
    void deletePoint(int k);
    void showNoFit();

    // Preview.
    void setPreviewScrollRanges();
    void paintPreviewImage();
    void applyCorrectionStep(bool stretch, int index);

    // The geo-reference file: whether the save may replace what is at
    // `path`, asking the user about any file the window cannot read whole.
    bool replaceUnreadFile(const QString& path) const;

    // Views.
    void setViewWindow(PictureBox& view, const ViewWindow& window);
    void redrawView(PictureBox& view);

    // Runs an event procedure; a runtime error it raises is shown, never
    // passed on into Qt (inChange: once the control's change is over).
    template <class Procedure> void guarded(Procedure procedure, bool inChange = false);

    bool m_loaded = false;
    bool m_activated = false;
    bool m_unloaded = false;
    bool m_entryOpen = false;
    bool m_saved = false;
    bool m_settingScroll = false;
};

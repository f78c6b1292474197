#pragma once
// The common controls' status bar: a row of panels, each with a text, a bevel,
// a width, an auto-size mode and a key, counted from 1 as the runtime counts
// them. A panel with the spring auto-size takes the width the others leave.
// A click on a panel is reported with its index (PanelClick), a mouse release
// with the runtime's button, shift and position (MouseUp), so the code finds
// the panel under the pointer from the panels' geometry.
//
// The bar lays itself along the bottom of its parent; the owner only chooses
// the font, the panels and their widths.
#include <QString>
#include <QWidget>

#include <vector>

enum class PanelBevel { NoBevel, Inset, Raised };
enum class PanelAutoSize { NoAutoSize, Spring, Contents };

struct StatusPanel
{
    QString Text;
    QString Key;
    PanelBevel Bevel = PanelBevel::Inset;
    PanelAutoSize AutoSize = PanelAutoSize::NoAutoSize;
    int Width = 96; // pixels; the spring panel's is computed
    int MinWidth = 10;
};

class StatusBar : public QWidget
{
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // Panels 1..count, replaced whole.
    void setPanelCount(int count);
    int panelCount() const { return int(m_panels.size()); }
    // Panel `index` (1-based); an index out of range raises error 35600
    // "Index out of bounds", as the control did.
    StatusPanel& panel(int index);
    const StatusPanel& panel(int index) const;
    // The panel with this key, or 0.
    int panelIndex(const QString& key) const;

    void setPanelText(int index, const QString& text);
    void setPanelWidth(int index, int widthPixels);
    // Repaints at once; setPanelText does it itself, other changes of
    // panel() need it.
    void refresh();

    // The panel's left edge and width in the bar's own pixels.
    int panelLeft(int index) const;
    int panelWidth(int index) const;
    // The panel under a point of the bar, or 0.
    int panelAt(int x) const;

    QSize sizeHint() const override;
    // Puts the bar along the bottom of its parent at its own height; it does
    // so by itself whenever the parent changes size.
    void alignToParentBottom();

signals:
    void PanelClick(int index);
    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
    void MouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Place
    {
        int left = 0;
        int width = 0;
    };
    // Where the panels stand at the bar's present width.
    std::vector<Place> places() const;

    std::vector<StatusPanel> m_panels;
};

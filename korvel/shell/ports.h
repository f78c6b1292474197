#pragma once
// The ports of the main window's parts: what one folder calls of another's
// part. Each is implemented by the part of its folder (korvel/map MapView,
// korvel/layers LayerList, ...); MainForm forwards each procedure under its
// own name, so a caller writes MainForm::instance().Graph(true) and needs
// neither the part's header nor its library. Everything else of a part is
// reached only inside its folder.

class MapViewPort
{
public:
    virtual ~MapViewPort() = default;
};

class LayerListPort
{
public:
    virtual ~LayerListPort() = default;
};

class AgnavPort
{
public:
    virtual ~AgnavPort() = default;
};

class QString;
class QWidget;

class GuidancePort
{
public:
    virtual ~GuidancePort() = default;
    // Tools > Digitize AG-NAV > "Guidance Lines" when no creation is under
    // way: choose the block and begin.
    virtual void StartGuidanceCreation() = 0;
    // The block pop-up's "Digitize Guidance Lines": begins the creation in
    // block SelectedLayer, asking before lines already there are replaced.
    virtual void PopUp_DigitizeGuidance_Click() = 0;
    // The chosen boundary edge and the guidance lines being created, drawn
    // as overlays after the map.
    virtual void RefreshBlockLines(QWidget& OptionsForm) = 0;
    virtual void FitGuidanceLines() = 0;
    // Ends a guidance-line creation that may be under way (its panel, its
    // Tools menu tick) and sets SelectedBlock to 0.
    virtual void GuidanceCancel_Click() = 0;
    // What the layout puts into SwathText: the swath in use while lines are
    // being laid, else the stored default swath in the display unit.
    virtual QString guidanceSwathShown() const = 0;
};

class StatisticsPort
{
public:
    virtual ~StatisticsPort() = default;
};

class MetPort
{
public:
    virtual ~MetPort() = default;
};

class SessionsPort
{
public:
    virtual ~SessionsPort() = default;
};

class GeoreferencingPort
{
public:
    virtual ~GeoreferencingPort() = default;
};

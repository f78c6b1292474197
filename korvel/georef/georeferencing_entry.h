#pragma once
// The main window's entry to the geo-referencing of an image.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

class GeoreferencingEntry final : public MainFormPart, public GeoreferencingPort
{
public:
    explicit GeoreferencingEntry(MainForm& form);

    // Tools > "Geo-referencing" and the image pop-up's "Geo-reference": the
    // modal window for Images(CurrentImage).
    void ShowGeoReferencing() override;
};

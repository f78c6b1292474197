#include "korvel/guidance/guidance_work.h"

#include "korvel/guidance/guidance_file.h"
#include "korvel/shell/main_form.h"

GuidanceWork::GuidanceWork(MainForm& form)
    : MainFormPart(form)
{
    connectGuidancePanel();
}

GuidanceWork& GuidanceWork::instance()
{
    return of(MainForm::instance());
}

GuidanceWork& GuidanceWork::of(MainForm& form)
{
    return static_cast<GuidanceWork&>(form.guidance());
}

AgnavOutcome GuidanceWork::readGuidanceFile(int Block)
{
    return LoadGuidanceFile(Block);
}

#pragma once
// A row of the layer list dropped on another of its group, in the main
// window's list or in its floating twin: the dragged caption's entry moves to
// the target's place in the group's drawing order, its tick with it.
#include "platform/control_array.h"

#include <vector>

class MainForm;
class QCheckBox;
class QLabel;
class QWidget;
enum class LayerKind;

// Caption `source` dropped on caption `index` of `labels` (the images' or
// the GIS layers', as `kind` says): a caption of another array, itself or a
// missing target changes nothing. Otherwise the target turns black, the
// entry and its tick in `checks` move, the record whose place the move
// changed is marked for redrawing, the lists are rebuilt and, with
// ImmediateGraph, the map is redrawn.
void dropListRow(MainForm& main, ControlArray<QLabel>& labels, ControlArray<QCheckBox>& checks,
    std::vector<int>& order, int index, QWidget* source, LayerKind kind);

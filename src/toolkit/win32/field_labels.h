#pragma once
// Names for assistive tools. A field with no caption of its own (an edit, a
// combo box, a track bar, a list) is named by the static text just above it
// among its sibling windows. The layout puts a field's caption label right
// before the field, but windows are stacked with the later controls on top
// (see FormView::CreateViews), which would put the field's neighbour on the
// other side — its spinner or its unit — in that place. So each field goes
// just below the label that precedes it in the layout.

namespace varnox {

class Component;
class FormView;

// For the fields inside `parent` whose windows exist.
void PlaceFieldsBelowTheirLabels(FormView& form, const Component& parent);

}  // namespace varnox

#pragma once
// Names for assistive tools. A field with no caption of its own (an edit, a
// combo box, a track bar, a list) is named by the static text just above it
// among its sibling windows. The layout puts a field's caption label right
// before the field, but windows are stacked with the later controls on top
// (see FormView::CreateViews), which would put the field's neighbour on the
// other side — its spinner or its unit — in that place. So such a label and
// its field are made label first, and the field lies just below it.

namespace varnox {

class Component;

// Whether `label`, the component just before `field` in its parent, is the
// label that names it.
bool CaptionsField(const Component& label, const Component& field);

}  // namespace varnox

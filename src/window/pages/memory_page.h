#pragma once
// The Memory management page: the server's memory optimisation with the
// large system cache, the second-level cache size, the I/O page lock limit,
// paging of the executive and separate VDMs.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and adds
// its three load sections and five save groups to the form's frame.
void BuildMemoryPage(TConfForm& form, TTabSheet& sheet);

// The controls alone, in their design states: no handlers, no sections.
void LayOutMemoryPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox

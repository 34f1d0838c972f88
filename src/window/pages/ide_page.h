#pragma once
// The IDE/ATAPI page: the devices of the registry's SCSI device map with
// their driver, port and interrupt, the details of the selected one, the
// ATAPI driver's channel status and, on NT 4.0, its DMA detection level per
// channel.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and adds its
// load section and save group to the form's frame.
void BuildIdePage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox

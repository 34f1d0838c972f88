#pragma once
// The Security page: whether the accounts database is encrypted, with a
// link to the key tool; the protection of base system objects; and the
// System File Checker's mode, quota and cache directory.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and adds
// its three load sections and four save groups to the form's frame.
void BuildSecurityPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox

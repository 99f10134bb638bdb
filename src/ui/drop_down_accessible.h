#pragma once
// What a screen reader is told of the form's drop-downs. Qt names a drop-down on Linux by its
// current entry ("57600"), which says neither which channel nor which field it is and changes
// with every choice; here its name is its accessible name ("Channel 3 Local Baudrate") and the
// entry is its value, as on Windows.

namespace tivra {

// Installs the accessible interface of the form's drop-downs; once is enough, more does nothing.
void installDropDownAccessibility();

}  // namespace tivra

#pragma once
// How many GDI and USER objects this process holds, for the program's own
// leak check.

namespace perix::win {

// GetGuiResources where the system implements it. Wine does not; there the
// GDI count comes from the process's GDI handle table, and the USER count is
// the number of windows of this thread, children included.
int GdiObjectCount();
int UserObjectCount();

}  // namespace perix::win

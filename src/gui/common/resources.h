#pragma once

namespace zentavour {

// Registers the program's pictures, icons and help pages. The windows live in a static library,
// where the linker would otherwise drop the resources nobody names; every window that shows one
// calls this first. Safe to call any number of times.
void EnsureResources();

}  // namespace zentavour

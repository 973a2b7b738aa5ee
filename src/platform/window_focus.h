#pragma once

namespace platform {

// The calling thread's active window (the owner for a dialog it opens); null
// when it has none.
void* ActiveWindow();

}  // namespace platform

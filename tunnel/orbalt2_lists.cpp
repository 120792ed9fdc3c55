// Display lists of the tunnel mesh. Lists are created only when the user
// switches them on in the drawing code; until then no slot has a list name
// and there is nothing to compile or delete.
#include "tunnel/orbalt2.h"

void Orbalt2::CompileLists(int32_t first, uint32_t count) {
    if (!lists || lists[0] == 0) return;
    // Lists are never created without the GL drawing routines, which compile
    // the segments first ... first + count - 1 here.
    (void)first;
    (void)count;
}

void Orbalt2::DeleteLists() {
    if (!lists || lists[0] == 0) return;
    // As above: only the GL drawing routines create lists, and they free them.
}

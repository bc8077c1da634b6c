// The layout pass: controls keep their size and place in proportion to the window, and the
// logical 800 x 600 space is laid over the client area again.

#include "match/frm_gioco.h"

void frmGioco::Form_Resize() {
    ui::Window& f = *window_;
    if (f.minimized()) return;

    new_width = float(f.outer_width());
    new_height = float(f.outer_height());
    // A first pass without reference sizes has nothing to scale from.
    const float width_ratio = last_width > 0 ? new_width / last_width : 1.0f;
    const float height_ratio = last_height > 0 ? new_height / last_height : 1.0f;

    // Each dimension scales its own boxes, widths and lefts, heights and tops; one that did not
    // change has the ratio 1 and leaves them as they are.
    f.scale_boxes(width_ratio, height_ratio);

    last_width = float(f.outer_width());
    last_height = float(f.outer_height());
    f.set_logical_size(800, 600);
}

// Statics that show a colour as a patch over their own drawing: the Care page's light indicator
// (the grey of the working light) and the Options page's pot and saucer swatches (a working
// colour).
#pragma once

#include <windows.h>

#include "plant/plant_record.h"

namespace plantapp {

/// Makes indicator show the grey of *light (the working light, which must outlive it). False when
/// the subclass could not be set.
bool SubclassLightIndicator(HWND indicator, const double* light);

/// Makes swatch show *colour (a working colour, which must outlive it), with a focus mark while it
/// has the focus; Space or Enter on it sends its parent STN_CLICKED, as a click does. False when
/// the subclass could not be set.
bool SubclassColourSwatch(HWND swatch, const plant::StoredColour* colour);

}  // namespace plantapp

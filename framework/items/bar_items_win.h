// A bar's UI items as the bar sees them: measured for its layout, moved where the layout puts them
// and freed with the bar. The bars sit below the items and reach these through gApp.barItemsHook,
// which the start-up sets.
#pragma once

#include "framework/windows/bar_win.h"

/// The bar item operations over CUIItem, for gApp.barItemsHook.
extern const BarItemOperations kBarItemOperations;

// Icons from the program's resources and their tinted twins, shared by the command icons of the
// UI style and the greyed icon of the data-folder wait.
#pragma once

#include <windows.h>

#include <cstdint>

/// An icon from group-icon resource `id` of `module`: with `depthIndex` 0-3 (1, 4, 8, 32 bits
/// per pixel) the image of that depth nearest to `sizePixels` (0: default size); with -1, or when
/// no image matches, the one the system picks. Null when absent or unloadable. The caller owns
/// the icon (DestroyIcon).
HICON LoadResourceIcon(HINSTANCE module, int32_t id, int32_t depthIndex, int32_t sizePixels);

/// A new icon whose opaque pixels are shaded between `dark` and `light` (TintIconPixels) from
/// `icon`, which stays untouched. `*width` and `*height`, when given, receive the size of the
/// icon's colour bitmap. Returns the twin (owned by the caller) and sets `*error` to 0;
/// otherwise null with ZRF_ERR_MEMORY when a pixel buffer cannot be had, or ZRF_ERR_ICON when
/// the icon cannot be read or the twin cannot be made.
HICON MakeTintedIcon(HICON icon, COLORREF light, COLORREF dark, int32_t* error, int32_t* width = nullptr,
                     int32_t* height = nullptr);

/// The 32-bit pixels (0xAARRGGBB, bottom-up rows) of an icon's colour or mask bitmap, for checks.
/// False when the icon cannot be read or `capacity` is too small; `*count` gets the pixel count.
bool ReadIconPixels(HICON icon, bool mask, uint32_t* pixels, size_t capacity, size_t* count);

// Result codes of framework operations. Each is also the string id of the message shown for it,
// so they all lie in the framework's string-id range from 0xF000 up; 0 means success.
#pragma once

#include <cstdint>

constexpr int32_t ZRF_OK = 0;
constexpr int32_t ZRF_ERR_CREATE = 0xF002;
constexpr int32_t ZRF_ERR_MEMORY = 0xF003;
constexpr int32_t ZRF_ERR_ICON = 0xF005;
constexpr int32_t ZRF_ERR_RANGE = 0xF006;
constexpr int32_t ZRF_ERR_UNKNOWN_COMMAND = 0xF007;
constexpr int32_t ZRF_ERR_NO_TEXT = 0xF008;
constexpr int32_t ZRF_ERR_NO_ICON = 0xF009;
constexpr int32_t ZRF_ERR_ADD_ICON = 0xF00A;
constexpr int32_t ZRF_ERR_ADD_COMMAND = 0xF00B;
constexpr int32_t ZRF_ERR_NO_MENU = 0xF010;
constexpr int32_t ZRF_ERR_OTHER_INSTANCE = 0xF012;
constexpr int32_t ZRF_ERR_SHORTCUT = 0xF013;
constexpr int32_t ZRF_ERR_COMCTL = 0xF015;
constexpr int32_t ZRF_ERR_INSTALL = 0xF016;
constexpr int32_t ZRF_ERR_DATA_FOLDER = 0xF019;

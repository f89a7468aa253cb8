// The framework message box's arithmetic, free of the window system: what a style word means,
// how the text is cut into lines, and where the text controls, the buttons and the box go.
// The dialog procedure measures the lines and applies the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ui/ui_geometry.h"

namespace zrf {

/// Style bits of a message box.
enum MessageStyleBits : uint32_t {
  kMessageError = 0x1,
  kMessageWarning = 0x2,
  kMessageInformation = 0x4,
  kMessageQuestion = 0x8,
  kMessageOk = 0x10,
  kMessageOkCancel = 0x20,
  kMessageYesNo = 0x40,
  kMessageYesNoCancel = 0x80,
  kMessageBoldFirstLine = 0x100,
  kMessageDefaultOk = 0x200,
  kMessageDefaultCancel = 0x400,
  kMessageDefaultYes = 0x800,
  kMessageDefaultNo = 0x1000,
  kMessageCaptionIcon = 0x2000,
};

/// The styles the system's messages use, all with the first line in bold.
constexpr uint32_t kErrorMessageStyle = kMessageError | kMessageOk | kMessageBoldFirstLine;
constexpr uint32_t kInformationMessageStyle = kMessageInformation | kMessageOk | kMessageBoldFirstLine;
constexpr uint32_t kOkCancelQuestionStyle = kMessageQuestion | kMessageOkCancel | kMessageBoldFirstLine;
/// Yes, No and Cancel with Cancel the default: questions that overwrite something.
constexpr uint32_t kOverwriteQuestionStyle =
    kMessageQuestion | kMessageYesNoCancel | kMessageBoldFirstLine | kMessageDefaultCancel;
static_assert(kErrorMessageStyle == 0x111 && kInformationMessageStyle == 0x114 &&
              kOkCancelQuestionStyle == 0x128 && kOverwriteQuestionStyle == 0x588);

/// Button ids, equal to the system's IDOK, IDCANCEL, IDYES and IDNO; also the box's results.
constexpr int32_t kButtonOk = 1;
constexpr int32_t kButtonCancel = 2;
constexpr int32_t kButtonYes = 6;
constexpr int32_t kButtonNo = 7;
/// MessageDialog's result when there was no memory for the text.
constexpr int32_t kMessageNoMemory = -666;

enum class MessageIcon { None, Error, Warning, Information, Question };

struct MessageStyle {
  MessageIcon icon = MessageIcon::None;
  uint32_t buttonSet = kMessageOk;   ///< exactly one of 0x10, 0x20, 0x40, 0x80
  int32_t buttonCount = 1;
  int32_t defaultButton = kButtonOk;  ///< a button of the set
  bool boldFirstLine = false;
  bool captionIcon = false;
};

/// Decodes a style word. The low four bits name one icon or none. A style without a button set
/// shows OK (a box without buttons could only be left with Escape); with several, the first
/// of OK, OK/Cancel, Yes/No, Yes/No/Cancel counts. A default bit that names a button the set
/// does not show is ignored, so the default is always a visible button.
MessageStyle DecodeMessageStyle(uint32_t style);

constexpr size_t kMessageWorkBufferSize = 2048;
/// A line's control is this much wider than its measured text.
constexpr int32_t kMessageLineExtraWidth = 8;
constexpr int32_t kMessageMeasuredLines = 15;

/// The box's text after the work-buffer cut (2047 characters) and with carriage returns removed,
/// split at line feeds. Only the first 15 lines are measured; `rest` is everything from the start
/// of the second line to the end, with its line breaks (what the second control shows for three
/// lines or more).
struct MessageText {
  std::string work;
  std::vector<std::string> lines;  ///< at most 15; more once WrapMessageText broke some
  std::string rest;
  size_t givenLineCount = 0;  ///< lines of the text as given (at most 15): decides the width cap
};
MessageText SplitMessageText(std::string_view text);

/// Width of `piece`, a part of line `line`, as the box sizes its controls: measured (in the bold
/// font for a bold first line) plus kMessageLineExtraWidth.
using MessageLineWidth = std::function<int32_t(size_t line, std::string_view piece)>;

/// Breaks every measured line wider than `limit` into pieces that fit, after the last space, "\"
/// or "/" within reach and otherwise between two characters, so that no character is lost; at
/// least one character goes on each piece. Returns the text as the box shows it: the pieces as
/// its lines, `rest` from the second piece to the end (with any unmeasured lines unchanged).
MessageText WrapMessageText(const MessageText& text, int32_t limit, const MessageLineWidth& lineWidth);

/// What the dialog procedure knows before laying out.
struct MessageLayoutInput {
  uint32_t style = kMessageOk;
  std::vector<Size> measured;  ///< measured size of each line of MessageText::lines
  int32_t textX = 0;           ///< first-line control's client position
  int32_t textY = 0;
  int32_t iconHeight = 0;      ///< icon area's client height
  int32_t buttonWidth = 0;     ///< every button's width: the OK button's, or more for its text
  int32_t buttonHeight = 0;    ///< and height
  int32_t buttonGrowth = 0;    ///< how much taller the buttons are than the OK button was made
  int32_t okTop = 0;           ///< OK button's top, client coordinates
  Size window;                 ///< the dialog's window size now
  int32_t frameWidth = 0;      ///< window width minus client width
  Rect parent{};               ///< the parent's window rectangle (the desktop's when none)
  Rect workArea{};             ///< work area of the monitor at the parent's centre
};

/// The widest line the box shows whole. One or two lines widen the box up to the work area's
/// width (less the text's left edge and the margin of two first-line heights); three or more keep
/// to a quarter of the work area's width. Requires input.measured to hold the first line.
int32_t MessageLineWidthLimit(const MessageLayoutInput& input, size_t givenLineCount);

struct MessageButtonPlace {
  int32_t id = 0;
  bool visible = false;
  int32_t x = 0;  ///< valid when visible; hidden buttons stay where they are
  int32_t y = 0;
};

struct MessageLayout {
  Place firstLine;
  bool hasOtherLines = false;  ///< false: the second text control is destroyed
  Place otherLines;
  std::string otherText;       ///< what the second control shows
  Rect window{};               ///< the box's new window rectangle, in screen coordinates
  bool fits = true;            ///< the box's size fits the work area: nothing of it is off screen
  Size button;                 ///< every button's size
  MessageButtonPlace buttons[4];  ///< OK, Cancel, Yes, No
  int32_t defaultButton = kButtonOk;
};

/// Lays the box out: text controls centred on the icon area (one or two lines) or stacked
/// (three or more), the text no wider than MessageLineWidthLimit for the text's given line count
/// (so a wrapped text keeps the width rule of the text it came from), buttons centred in a row
/// below the text, the box centred on its parent. The box is then kept inside the work area, so a box
/// whose owner is minimised or off screen can still be reached; `fits` tells whether all of it is
/// there (a box larger than the work area keeps its top left corner inside).
MessageLayout LayOutMessageBox(const MessageLayoutInput& input, const MessageText& text);

}  // namespace zrf

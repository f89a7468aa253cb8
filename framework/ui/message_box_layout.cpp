// Style decoding, text splitting and layout of the framework message box.
#include "framework/ui/message_box_layout.h"

#include <algorithm>

namespace zrf {

MessageStyle DecodeMessageStyle(uint32_t style) {
  MessageStyle decoded;
  switch (style & 0xF) {
    case kMessageError: decoded.icon = MessageIcon::Error; break;
    case kMessageWarning: decoded.icon = MessageIcon::Warning; break;
    case kMessageInformation: decoded.icon = MessageIcon::Information; break;
    case kMessageQuestion: decoded.icon = MessageIcon::Question; break;
    default: decoded.icon = MessageIcon::None; break;
  }
  if (style & kMessageOk) {
    decoded.buttonSet = kMessageOk;
  } else if (style & kMessageOkCancel) {
    decoded.buttonSet = kMessageOkCancel;
  } else if (style & kMessageYesNo) {
    decoded.buttonSet = kMessageYesNo;
  } else if (style & kMessageYesNoCancel) {
    decoded.buttonSet = kMessageYesNoCancel;
  } else {
    decoded.buttonSet = kMessageOk;
  }
  const bool okSet = decoded.buttonSet == kMessageOk || decoded.buttonSet == kMessageOkCancel;
  const bool hasCancel = decoded.buttonSet != kMessageOk && decoded.buttonSet != kMessageYesNo;
  decoded.buttonCount = decoded.buttonSet == kMessageOk ? 1 : decoded.buttonSet == kMessageYesNoCancel ? 3 : 2;
  decoded.defaultButton = okSet ? kButtonOk : kButtonYes;
  // Later bits override earlier ones, as the default bits are applied one after the other.
  if ((style & kMessageDefaultOk) && okSet) decoded.defaultButton = kButtonOk;
  if ((style & kMessageDefaultCancel) && hasCancel) decoded.defaultButton = kButtonCancel;
  if ((style & kMessageDefaultYes) && !okSet) decoded.defaultButton = kButtonYes;
  if ((style & kMessageDefaultNo) && !okSet) decoded.defaultButton = kButtonNo;
  decoded.boldFirstLine = (style & kMessageBoldFirstLine) != 0;
  decoded.captionIcon = (style & kMessageCaptionIcon) != 0;
  return decoded;
}

MessageText SplitMessageText(std::string_view text) {
  MessageText split;
  // The cut comes first and counts carriage returns too, as the work buffer holds them.
  text = text.substr(0, std::min(text.size(), kMessageWorkBufferSize - 1));
  split.work.reserve(text.size());
  for (char c : text) {
    if (c != '\r') split.work.push_back(c);
  }
  size_t start = 0;
  for (;;) {
    const size_t end = split.work.find('\n', start);
    if (static_cast<int32_t>(split.lines.size()) < kMessageMeasuredLines)
      split.lines.push_back(split.work.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) break;
    if (split.rest.empty() && start == 0) split.rest = split.work.substr(end + 1);
    start = end + 1;
  }
  split.givenLineCount = split.lines.size();
  return split;
}

int32_t MessageLineWidthLimit(const MessageLayoutInput& in, size_t givenLineCount) {
  if (givenLineCount >= 3) return in.workArea.Width() / 4;
  const int32_t firstHeight = in.measured.empty() ? 3 : in.measured[0].height + 3;
  return in.workArea.Width() - in.textX - 2 * firstHeight;
}

namespace {

bool IsBreakAfter(char c) { return c == ' ' || c == '\\' || c == '/'; }

// Requires: lineWidth(line, piece) grows with the piece's length.
// Ensures: the pieces, joined, are `text`; each fits `limit` or is one character long.
void AppendPieces(std::vector<std::string>& pieces, size_t line, std::string_view text, int32_t limit,
                  const MessageLineWidth& lineWidth) {
  while (!text.empty()) {
    if (lineWidth(line, text) <= limit) {
      pieces.emplace_back(text);
      return;
    }
    // The longest prefix that fits, found by halving: a few measurements per piece even for the
    // 2047 characters of a full work buffer.
    size_t fits = 1;
    size_t tooLong = text.size();
    while (tooLong - fits > 1) {
      const size_t middle = fits + (tooLong - fits) / 2;
      if (lineWidth(line, text.substr(0, middle)) <= limit) {
        fits = middle;
      } else {
        tooLong = middle;
      }
    }
    size_t cut = fits;
    while (cut > 0 && !IsBreakAfter(text[cut - 1])) --cut;
    if (cut == 0) cut = fits;
    pieces.emplace_back(text.substr(0, cut));
    text.remove_prefix(cut);
  }
}

// Everything after the last measured line, with the line feed before it; empty when all lines
// were measured.
std::string_view UnmeasuredTail(const MessageText& text) {
  std::string_view work = text.work;
  size_t position = 0;
  for (size_t k = 0; k < text.givenLineCount; ++k) {
    position = work.find('\n', position);
    if (position == std::string_view::npos) return {};
    ++position;
  }
  return work.substr(position - 1);
}

}  // namespace

MessageText WrapMessageText(const MessageText& text, int32_t limit, const MessageLineWidth& lineWidth) {
  MessageText shown;
  shown.work = text.work;
  shown.givenLineCount = text.givenLineCount;
  for (size_t k = 0; k < text.lines.size(); ++k) {
    const size_t before = shown.lines.size();
    AppendPieces(shown.lines, k, text.lines[k], limit, lineWidth);
    if (shown.lines.size() == before) shown.lines.emplace_back();  // an empty line stays a line
  }
  if (shown.lines.size() == text.lines.size()) return text;
  for (size_t k = 1; k < shown.lines.size(); ++k) {
    if (k > 1) shown.rest += '\n';
    shown.rest += shown.lines[k];
  }
  shown.rest += UnmeasuredTail(text);
  return shown;
}

namespace {

Rect KeepInside(Rect box, const Rect& area) {
  const int32_t width = box.Width();
  const int32_t height = box.Height();
  int32_t x = std::min(box.left, area.right - width);
  int32_t y = std::min(box.top, area.bottom - height);
  x = std::max(x, area.left);
  y = std::max(y, area.top);
  return {x, y, x + width, y + height};
}

}  // namespace

MessageLayout LayOutMessageBox(const MessageLayoutInput& in, const MessageText& text) {
  MessageLayout out;
  const MessageStyle style = DecodeMessageStyle(in.style);
  const size_t lineCount = std::max<size_t>(1, std::min(in.measured.size(), text.lines.size()));

  std::vector<int32_t> w(lineCount, kMessageLineExtraWidth);
  std::vector<int32_t> h(lineCount, 1);
  int32_t maxW = 0;
  int32_t restH = 0;
  for (size_t k = 0; k < lineCount && k < in.measured.size(); ++k) {
    w[k] = in.measured[k].width + kMessageLineExtraWidth;
    h[k] = in.measured[k].height + 1;
  }
  for (size_t k = 0; k < lineCount; ++k) {
    maxW = std::max(maxW, w[k]);
    if (k > 0) restH += h[k];
  }
  h[0] += 2;
  maxW = std::min(maxW, MessageLineWidthLimit(in, text.givenLineCount));

  // Centred on the icon, but lines taller than the icon area in a large font would start above
  // the box's client area, cut off at the top: they start at its top edge at the highest.
  auto centredTop = [&in](int32_t textHeight) { return std::max(-in.textY, (in.iconHeight - textHeight) / 2); };
  if (lineCount == 1) {
    out.firstLine = {in.textX, in.textY + centredTop(h[0]), w[0], h[0]};
  } else if (lineCount == 2) {
    const int32_t top = centredTop(h[1] + h[0]);
    out.firstLine = {in.textX, in.textY + top, w[0], h[0]};
    out.hasOtherLines = true;
    out.otherLines = {in.textX, in.textY + h[0] + top, w[1], h[1]};
    out.otherText = text.lines.size() > 1 ? text.lines[1] : std::string();
  } else {
    out.firstLine = {in.textX, in.textY, w[0], h[0]};
    out.hasOtherLines = true;
    out.otherLines = {in.textX, in.textY + h[0], maxW, restH};
    out.otherText = text.rest;
  }

  const int32_t buttonsY = std::max(in.okTop, in.textY + h[0] + restH + h[0] / 2);
  const int32_t extra = std::max(0, buttonsY - in.okTop);
  const int32_t gap = in.buttonHeight / 3;
  const int32_t width = std::max(in.textX + 2 * h[0] + maxW,
                                 in.buttonHeight + style.buttonCount * (in.buttonWidth + gap));
  const int32_t height = in.window.height + extra + std::max(0, in.buttonGrowth);
  const int32_t x = (in.parent.left + in.parent.right - width) / 2;
  const int32_t y = (in.parent.top + in.parent.bottom - height) / 2;
  out.window = KeepInside({x, y, x + width, y + height}, in.workArea);
  out.fits = width <= in.workArea.Width() && height <= in.workArea.Height();
  out.button = {in.buttonWidth, in.buttonHeight};

  const int32_t cw = width - in.frameWidth;
  out.buttons[0] = {kButtonOk, false, 0, 0};
  out.buttons[1] = {kButtonCancel, false, 0, 0};
  out.buttons[2] = {kButtonYes, false, 0, 0};
  out.buttons[3] = {kButtonNo, false, 0, 0};
  auto show = [&](int index, int32_t bx) { out.buttons[index] = {out.buttons[index].id, true, bx, buttonsY}; };
  const int32_t bw = in.buttonWidth;
  switch (style.buttonSet) {
    case kMessageOk:
      show(0, (cw - bw) / 2);
      break;
    case kMessageOkCancel: {
      const int32_t bx = (cw - 2 * bw - gap) / 2;
      show(0, bx);
      show(1, bx + bw + gap);
      break;
    }
    case kMessageYesNo: {
      const int32_t bx = (cw - 2 * bw - gap) / 2;
      show(2, bx);
      show(3, bx + bw + gap);
      break;
    }
    default: {
      const int32_t bx = (cw - 3 * bw - (2 * in.buttonHeight) / 3) / 2;
      show(2, bx);
      show(3, bx + bw + gap);
      show(1, bx + 2 * (bw + gap));
      break;
    }
  }
  out.defaultButton = style.defaultButton;
  return out;
}

}  // namespace zrf

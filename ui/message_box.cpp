// Building and showing a message box: the font, the measurements that feed
// the layout, the parts in their places, and where the box opens.
#include "ui/message_box.h"

#include "base/string_table.h"
#include "ui/font_surface.h"
#include "ui/shell.h"

namespace toridasu::ui {
namespace {

// The size the system's non-client metrics had before the padded-border
// field was added; every system version answers to it.
constexpr UINT kNonClientMetricsSize = 340;
static_assert(sizeof(NONCLIENTMETRICSA) >= kNonClientMetricsSize);

constexpr char kLatinLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The system's message font; the default font of new windows when the
// metrics cannot be read.
HFONT CreateMessageFont() {
  alignas(NONCLIENTMETRICSA) unsigned char buffer[sizeof(NONCLIENTMETRICSA)] = {};
  auto* metrics = reinterpret_cast<NONCLIENTMETRICSA*>(buffer);
  metrics->cbSize = kNonClientMetricsSize;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, metrics, 0)) {
    if (HFONT font = CreateFontIndirectA(&metrics->lfMessageFont)) return font;
  }
  const bool shiftJis = GetACP() == 932;
  LOGFONTA fallback = {};
  HDC screen = GetDC(nullptr);
  fallback.lfHeight = -MulDiv(shiftJis ? 9 : 8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  fallback.lfWeight = FW_NORMAL;
  fallback.lfCharSet = shiftJis ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
  lstrcpynA(fallback.lfFaceName, shiftJis ? "MS PGothic" : "MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectA(&fallback);
}

int MeasureCaption(HDC dc, const std::string& caption) {
  RECT r = {0, 0, 0, 0};
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
            DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
  return r.right;
}

}  // namespace

std::array<int, kButtonCount>& ButtonWidthCache() {
  static std::array<int, kButtonCount> cache{};
  return cache;
}

CharSize AverageCharSize(HDC surface) {
  SIZE size = {0, 0};
  GetTextExtentPointA(surface, kLatinLetters, 52, &size);
  return {static_cast<int>(size.cx / 52), static_cast<int>(size.cy)};
}

std::unique_ptr<TMessageForm> BuildMessageBox(const std::string& text, MessageBoxKind kind,
                                              MessageBoxButtons buttons) {
  // A kind outside the table gets the plain box: no icon, the program's title.
  const KindInfo& kindInfo = kKindTable[kind <= mkCustom ? kind : mkCustom];
  const std::string title =
      kindInfo.titleId != 0 ? LoadResString(kindInfo.titleId) : CurrentShell().Title();

  std::unique_ptr<TMessageForm> form(new TMessageForm());
  form->Create(CurrentShell().ApplicationWindow(), title);
  form->font_ = CreateMessageFont();

  std::array<std::string, kButtonCount> captions;
  CharSize charSize;
  int textWidth = 0;
  int textHeight = 0;
  {
    FontSurface surface(form->handle_, form->font_);
    charSize = AverageCharSize(surface.Dc());
    std::array<int, kButtonCount>& cache = ButtonWidthCache();
    for (int b = 0; b < kButtonCount; ++b) {
      if (!HasButton(buttons, b)) continue;
      captions[b] = LoadResString(kButtonTable[b].captionId);
      if (cache[b] == 0)
        cache[b] = MeasureCaption(surface.Dc(), captions[b]) + kButtonCaptionPadding;
    }
    // Lines wrap at half the screen's width; the result is the widest line.
    RECT block = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextA(surface.Dc(), text.data(), static_cast<int>(text.size()), &block,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    textWidth = block.right;
    textHeight = block.bottom;
  }

  const bool hasIcon = kindInfo.iconId != 0;
  const MessageBoxLayout layout =
      LayoutMessageBox(charSize, textWidth, textHeight, hasIcon, buttons, ButtonWidthCache());
  form->SetClientSize(layout.clientWidth, layout.clientHeight);

  RECT outer;
  GetWindowRect(form->handle_, &outer);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  form->SetPosition(screenWidth / 2 - (outer.right - outer.left) / 2,
                    screenHeight / 2 - (outer.bottom - outer.top) / 2);

  if (hasIcon) form->AddIcon(kindInfo.iconId, layout.icon);
  form->AddText(text, layout.text);
  form->defaultButton_ = ui::DefaultButton(buttons);
  form->cancelButton_ = ui::CancelButton(buttons);
  for (int b = 0; b < kButtonCount; ++b) {
    if (HasButton(buttons, b)) form->AddButton(b, captions[b], layout.buttons[b]);
  }
  return form;
}

int ShowMessageBoxAt(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
                     int32_t helpContext, int x, int y, const std::string& helpFile) {
  std::unique_ptr<TMessageForm> form = BuildMessageBox(text, kind, buttons);
  form->SetHelpContext(helpContext);
  form->SetHelpFile(helpFile);
  form->MoveTo(x, y);
  form->SetCentredOnShow(x < 0 && y < 0);
  return form->ShowModal();
}

int ShowMessageBox(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
                   int32_t helpContext) {
  return ShowMessageBoxAt(text, kind, buttons, helpContext, -1, -1, std::string());
}

}  // namespace toridasu::ui

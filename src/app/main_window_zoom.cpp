// The image page's geometry: fitting the picture into the view, the zoom
// commands, the smooth reduction switch, panning and the mouse wheel.
#include <richedit.h>

#include <stdexcept>

#include "app/main_window.h"
#include "app/wheel_rules.h"
#include "image/dib_section.h"
#include "image/fit_image.h"
#include "image/smooth_resize.h"
#include "image/zoom.h"

namespace zk {

void TZKMainForm::FitImage() {
  if (SuppressFit) return;
  // The status shows the work and gets its text back on every way out.
  struct RestoreStatus {
    TZKMainForm& form;
    std::u16string text;
    ~RestoreStatus() { form.SetStatus(text); }
  } restore{*this, Status(0)};
  SetStatus(u"Zooming..");
  ScrollBox_.auto_scroll = false;
  ScrollBox_.Layout();

  FitInput in;
  in.has_picture = MainImage.HasPicture();
  const SIZE picture = MainImage.PictureSize();
  const SIZE client = ScrollBox_.ClientSize();
  in.picture_width = picture.cx;
  in.picture_height = picture.cy;
  in.client_width = client.cx;
  in.client_height = client.cy;
  in.image_center = settings.ImageCenter;
  in.better = settings.Better;
  const FitPlan plan = PlanFit(in);
  if (!plan.sets_layout()) return;

  MainImage.auto_size = false;
  MainImage.stretch = plan.stretch;
  if (plan.center) MainImage.center = true;
  if (plan.moves_control()) MainImage.SetBounds(plan.bounds.left, plan.bounds.top, plan.bounds.width, plan.bounds.height);
  if (plan.smooth) {
    try {
      DibSection24 copy;
      PixelView source = MainImage.picture()->Pixels();
      if (source.empty()) {
        copy = PictureToDibSection(*MainImage.picture(), ScrollBox_.ColorRef());
        source = copy.View();
      }
      PixelBuffer reduced = SmoothResize(source, plan.bounds.width, plan.bounds.height);
      MainImage.SetPicture(MakeBitmapPicture(DibSectionFromPixels(reduced)));
    } catch (const std::bad_alloc&) {
      // Without memory for the copies the picture stays drawn stretched.
    } catch (const std::invalid_argument&) {
    }
  }
  ScrollBox_.Layout();
  MainImage.Invalidate();
}

void TZKMainForm::ReShow() {
  if (ArcListBox && SendMessageW(ArcListBox, LB_GETCURSEL, 0, 0) >= 0) {
    // Seam: the selected archive member is extracted and shown again here.
    return;
  }
  ReloadActionExecute();
}

void TZKMainForm::ZoomActionExecute(int tag) {
  if (ViewFileType == vfText) {
    ZoomTextFont(tag);
    return;
  }
  if (ViewFileType != vfImage) return;
  const SIZE client = ScrollBox_.ClientSize();
  const POINT scroll = ScrollBox_.ScrollPos();
  const ZoomPoint before =
      PointUnderCentre({client.cx, client.cy}, {MainImage.left - scroll.x, MainImage.top - scroll.y});
  if (!ZoomAllowed(MainImage.zoom_tag, tag)) return;

  const SIZE size = MainImage.ControlSize();
  ScrollBox_.auto_scroll = false;
  MainImage.SetBounds(0, 0, size.cx, size.cy);
  MainImage.auto_size = false;
  MainImage.stretch = true;
  ScrollBox_.Layout();

  if (tag == kActualSizeTag) {
    MainImage.auto_size = true;
    SuppressFit = true;
    try {
      ReShow();
    } catch (...) {
      SuppressFit = false;
      throw;
    }
    SuppressFit = false;
    ScrollBox_.auto_scroll = false;
    ScrollBox_.Layout();
    const SIZE view = ScrollBox_.ClientSize();
    const SIZE own = MainImage.PictureSize();
    const ZoomPoint at = ActualSizePosition({view.cx, view.cy}, {own.cx, own.cy});
    MainImage.left = at.x;
    MainImage.top = at.y;
    MainImage.zoom_tag = kActualSizeExponent;
    ScrollBox_.auto_scroll = true;
    ScrollBox_.Layout();
    return;
  }
  if (tag == kZoomFitTag) {
    ReShow();
    return;
  }
  const ZoomSize zoomed = ZoomedSize({size.cx, size.cy}, tag);
  MainImage.width = zoomed.width;
  MainImage.height = zoomed.height;
  MainImage.zoom_tag = ZoomedExponent(MainImage.zoom_tag, tag);
  ScrollBox_.auto_scroll = true;
  ScrollBox_.Layout();  // the scroll range follows the new size before the positions are set
  const SIZE now = ScrollBox_.ClientSize();
  const POINT pos = ScrollBox_.ScrollPos();
  const ZoomPoint after = PointUnderCentre({now.cx, now.cy}, {MainImage.left - pos.x, MainImage.top - pos.y});
  const ZoomPoint target = ScrollAfterZoom(tag, before, after);
  ScrollBox_.ScrollTo(target.x, target.y);
  MainImage.Invalidate();
}

void TZKMainForm::ZoomTextFont(int tag) {
  FontSetting font = settings.Font;
  if (text_font_points_ == 0) text_font_points_ = font.Size();
  text_font_points_ = ZoomedFontSize(text_font_points_, tag);
  font.SetSize(text_font_points_);
  ApplyTextFont(font);
  // Text already in the control keeps its other formatting but takes the size.
  if (RichEditURL.hwnd()) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_SIZE;
    cf.yHeight = text_font_points_ * 20;
    SendMessageW(RichEditURL.hwnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  }
}

void TZKMainForm::BetterViewActionExecute(Action& action) {
  action.checked = !action.checked;
  settings.Better = action.checked;
  if (ViewFileType == vfImage) ReShow();
}

void TZKMainForm::MainImageMouse(UINT msg, WPARAM keys, POINT at) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // Exactly the left and the right button together, nothing else held.
      const bool chord = (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL)) ==
                             (MK_LBUTTON | MK_RBUTTON) &&
                         GetKeyState(VK_MENU) >= 0;
      if (chord) {
        panning_ = true;
        pan_start_ = at;
      }
      break;
    }
    case WM_MOUSEMOVE:
      if (panning_) {
        const POINT pos = ScrollBox_.ScrollPos();
        ScrollBox_.ScrollTo(pos.x + (pan_start_.x - at.x), pos.y + (pan_start_.y - at.y));
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      // The right button that ends a pan does not open the picture's menu as well.
      if (panning_ && msg == WM_RBUTTONUP) pan_ended_by_right_button_ = true;
      panning_ = false;
      break;
  }
}

bool TZKMainForm::FormMouseWheel(WPARAM keys, int delta) {
  uint8_t held = 0;
  if (keys & MK_SHIFT) held |= kWheelShift;
  if (keys & MK_CONTROL) held |= kWheelCtrl;
  if (GetKeyState(VK_MENU) < 0) held |= kWheelAlt;
  if (keys & MK_LBUTTON) held |= kWheelLeft;
  if (keys & MK_RBUTTON) held |= kWheelRight;
  if (keys & MK_MBUTTON) held |= kWheelMiddle;
  WheelContext context;
  context.view = ViewFileType;
  context.member_selected = ArcListBox && SendMessageW(ArcListBox, LB_GETCURSEL, 0, 0) >= 0;
  context.text_page_active = PageControl_.active_page() == kTextTabSheet;
  context.archive_page_active = PageControl_.active_page() == kArcTabSheet;
  const bool up = delta > 0;
  const WheelDecision decision = DecideWheel(held, up, context);
  switch (decision.rule) {
    case WheelRule::kStepSelection:
      StepEverythingSelection(decision.argument);
      break;
    case WheelRule::kZoom:
      actions[up ? CommandId::ZoomUpAction : CommandId::ZoomOutAction].Execute();
      break;
    case WheelRule::kStepMember:
      // Seam: the previous or next archive member is shown here.
      break;
    case WheelRule::kScrollText:
      if (RichEditURL.hwnd()) SendMessageW(RichEditURL.hwnd(), WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN, 0);
      break;
    case WheelRule::kScrollArchive:
      if (ArcListBox) SendMessageW(ArcListBox, WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN, 0);
      break;
    case WheelRule::kNothing:
      break;
  }
  return true;
}

}  // namespace zk

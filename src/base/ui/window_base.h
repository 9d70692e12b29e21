// The C++ object behind a window: the window procedure finds the object from
// the window's first message on and hands it every message until
// WM_NCDESTROY, after which the window and the object no longer know each
// other.
#pragma once

#include <windows.h>

#include <string>

#include "base/ui/dialog_scale.h"
#include "base/win_handles.h"

namespace zk {

struct WindowLink;

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND hwnd() const { return wnd_; }

  // The procedure to register for a class whose windows belong to a WindowBase.
  static LRESULT CALLBACK Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

 protected:
  WindowBase() = default;
  // A derived class destroys its window in its own destructor, while its
  // handler still exists; a window left over here only loses its object.
  virtual ~WindowBase();

  // Creates the window of this object, of a class registered with Procedure.
  // hwnd() is set from WM_NCCREATE on.
  HWND CreateFor(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption, DWORD style, int x, int y,
                 int width, int height, HWND parent, HMENU menu);
  static HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }
  // Fills with the colour the parent gives its static controls, as a
  // control drawn by itself shows the parent through.
  void FillWithParentColor(HDC dc, const RECT& rect) const;

  // Every message from WM_NCCREATE to WM_NCDESTROY; hwnd() is still set
  // during WM_NCDESTROY.
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // After WM_NCDESTROY, once hwnd() is null; the object may delete itself here.
  virtual void OnDetached() {}

  HWND wnd_ = nullptr;

 private:
  friend struct WindowLink;
};

// The same for dialogs run by the platform's dialog manager: the object
// arrives with WM_INITDIALOG, as the parameter of the dialog's creation.
// Such a dialog is laid out at 96 DPI and shown at the DPI of its owner's
// monitor: its controls are placed through scale_ and take font_.
class DialogBase {
 public:
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  HWND hwnd() const { return wnd_; }

 protected:
  DialogBase() = default;
  virtual ~DialogBase();

  static INT_PTR CALLBACK Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  // The parameter that makes a dialog created with Procedure belong to this object.
  LPARAM Param() { return reinterpret_cast<LPARAM>(static_cast<DialogBase*>(this)); }
  // Takes the scale and the font of the owner's monitor and creates the
  // hidden dialog without controls; OnMessage builds them at WM_INITDIALOG.
  HWND CreateEmptyFor(HWND owner, const std::wstring& caption);

  // The dialog procedure's answer; FALSE leaves the message to the dialog manager.
  virtual INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  virtual void OnDetached() {}
  // The dialog moved to a monitor of another DPI: it takes the suggested
  // rectangle, and its controls their places and font_ at that DPI.
  virtual void OnDpiChanged(int dpi, const RECT& suggested);

  HWND wnd_ = nullptr;
  DialogScale scale_;
  UniqueFont font_;

 private:
  friend struct WindowLink;
};

}  // namespace zk

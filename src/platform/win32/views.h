// The views of the control kinds, one window class each.
#pragma once

#include <memory>

#include "platform/win32/win32_view.h"

namespace tassefiche {

// The view that suits the control's kind in its layout row.
std::unique_ptr<Win32View> MakeView(FormWindow& form, Control& control);

class FrameView : public Win32View {
 public:
  using Win32View::Win32View;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override { return BS_GROUPBOX | WS_CLIPCHILDREN; }
  DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override;
};

class LabelView : public Win32View {
 public:
  using Win32View::Win32View;
  ~LabelView() override;
  HBRUSH OnCtlColor(HDC dc) override;
  void OnCommand(WORD code) override;
  void Place(int dpi) override;

 protected:
  const wchar_t* WindowClass() const override { return L"STATIC"; }
  DWORD Style() const override;
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override { ShowAspect(Aspect::kCaption); }
  int WindowHeight(int dpi) const override;

 private:
  void FitToCaption(int dpi);
  HBRUSH back_brush_ = nullptr;
};

class ImageView : public Win32View {
 public:
  using Win32View::Win32View;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"STATIC"; }
  DWORD Style() const override;
  void ShowAll() override;
};

class LineView : public Win32View {
 public:
  using Win32View::Win32View;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void Place(int dpi) override;

 protected:
  const wchar_t* WindowClass() const override { return L"STATIC"; }
  DWORD Style() const override { return SS_OWNERDRAW; }
  void ShowAll() override;
};

class PushButtonView : public Win32View {
 public:
  using Win32View::Win32View;
  void OnCommand(WORD code) override;
  void OnEnter() override;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override;
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override { ShowAspect(Aspect::kCaption); }
};

class PictureButtonView : public Win32View {
 public:
  using Win32View::Win32View;
  void OnCommand(WORD code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnEnter() override;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override { return BS_OWNERDRAW | WS_TABSTOP; }
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override { ShowAspect(Aspect::kCaption); }
};

class CheckBoxView : public Win32View {
 public:
  using Win32View::Win32View;
  void OnCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override { return BS_AUTOCHECKBOX | WS_TABSTOP; }
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override;
};

class OptionButtonView : public Win32View {
 public:
  using Win32View::Win32View;
  void OnCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override;
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override;
};

class TextBoxView : public Win32View {
 public:
  using Win32View::Win32View;
  void OnCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"EDIT"; }
  DWORD Style() const override { return ES_AUTOHSCROLL | WS_TABSTOP; }
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override { ShowAspect(Aspect::kText); }
};

class DriveListView : public Win32View {
 public:
  using Win32View::Win32View;
  void OnCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"COMBOBOX"; }
  DWORD Style() const override { return CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP; }
  int WindowHeight(int dpi) const override { return Win32View::WindowHeight(dpi) * 10; }
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override { ShowAspect(Aspect::kEntries); }
};

class FolderListView : public Win32View {
 public:
  using Win32View::Win32View;
  void OnCommand(WORD code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnMeasureItem(MEASUREITEMSTRUCT& item) override;
  void OnEnter() override;

 protected:
  const wchar_t* WindowClass() const override { return L"LISTBOX"; }
  DWORD Style() const override {
    return LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
           WS_TABSTOP;
  }
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override { ShowAspect(Aspect::kEntries); }
};

class FileListView : public Win32View {
 public:
  using Win32View::Win32View;
  LRESULT OnNotify(const NMHDR& header) override;
  void Place(int dpi) override;

 protected:
  const wchar_t* WindowClass() const override;
  DWORD Style() const override;
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  void ShowAspect(Aspect aspect) override;
  void ShowAll() override;

 private:
  void FitColumn();
  bool selected_by_press_ = false;
};

}  // namespace tassefiche

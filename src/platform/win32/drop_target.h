// A window as a target of the platform's drag and drop, for files and folders. A window that a
// modal box has disabled refuses them, as the platform refuses it any other input.
#pragma once

#include <windows.h>

#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace tassefiche {

// A COM interface has no virtual destructor: the platform never deletes through one, and the
// window that owns this object deletes it as what it is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class DropTarget final : public IDropTarget {
 public:
  // Registered for the window until destroyed; `dropped` receives the full paths, in the order the
  // platform gives them. Without OLE on the thread the window takes no drop.
  DropTarget(HWND window, std::function<void(std::vector<std::wstring>)> dropped);
  ~DropTarget();
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;

  // Owned by its window, not by its references: counting them only answers the platform.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  DWORD Effect(DWORD allowed) const;

  HWND window_;
  std::function<void(std::vector<std::wstring>)> dropped_;
  bool registered_ = false;
  bool files_ = false;  // what is dragged over the window now holds files
  ULONG references_ = 1;
};
#pragma GCC diagnostic pop

}  // namespace tassefiche

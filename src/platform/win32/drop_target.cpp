#include "platform/win32/drop_target.h"

#include <shellapi.h>

#include <utility>

namespace tassefiche {

namespace {

FORMATETC FileNames() {
  return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

std::vector<std::wstring> PathsOf(HDROP drop) {
  std::vector<std::wstring> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace

DropTarget::DropTarget(HWND window, std::function<void(std::vector<std::wstring>)> dropped)
    : window_(window), dropped_(std::move(dropped)) {
  registered_ = SUCCEEDED(RegisterDragDrop(window_, this));
}

DropTarget::~DropTarget() {
  if (registered_) RevokeDragDrop(window_);
}

HRESULT DropTarget::QueryInterface(REFIID id, void** object) {
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() {
  return ++references_;
}

ULONG DropTarget::Release() {
  return --references_;
}

// A drop opens a path and moves nothing: the copy, or else the link, that the source allows.
DWORD DropTarget::Effect(DWORD allowed) const {
  if (!files_ || IsWindowEnabled(window_) == FALSE) return DROPEFFECT_NONE;
  if ((allowed & DROPEFFECT_COPY) != 0) return DROPEFFECT_COPY;
  return allowed & DROPEFFECT_LINK;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD /*keys*/, POINTL /*at*/, DWORD* effect) {
  FORMATETC format = FileNames();
  files_ = data != nullptr && data->QueryGetData(&format) == S_OK;
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD /*keys*/, POINTL /*at*/, DWORD* effect) {
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  files_ = false;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD /*keys*/, POINTL /*at*/, DWORD* effect) {
  *effect = Effect(*effect);
  files_ = false;
  if (*effect == DROPEFFECT_NONE) return S_OK;
  FORMATETC format = FileNames();
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  std::vector<std::wstring> paths = PathsOf(static_cast<HDROP>(medium.hGlobal));
  ReleaseStgMedium(&medium);
  dropped_(std::move(paths));
  return S_OK;
}

}  // namespace tassefiche

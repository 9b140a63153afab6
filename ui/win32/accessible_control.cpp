#include "accessible_control.h"

#include <oleacc.h>

#include <string>

#include "control_ids.h"
#include "text_conversion.h"

namespace plinthar::win32 {

namespace {

// Interface identifiers come from __uuidof: MinGW's oleacc import library
// exports IID_IAccessible as a function, so a reference to it links to an
// import thunk's code instead of the identifier.

// The accessibility library, and COM and OLE Automation beneath it, are
// loaded when a screen reader first asks for a control: the first paint needs
// none of them, and Wine spends milliseconds at start-up mapping them in and
// starting them.
struct AccessibilityLibrary {
  decltype(&CreateStdAccessibleObject) createStandardObject = nullptr;
  decltype(&LresultFromObject) resultFromObject = nullptr;
  decltype(&DispInvoke) dispatchInvoke = nullptr;
  decltype(&SysAllocStringLen) allocateString = nullptr;
  decltype(&VariantInit) initialiseVariant = nullptr;
};

template <typename Function>
Function Entry(HMODULE library, const char* name) {
  // GetProcAddress returns every entry as one function type; passing through
  // void (*)() is the cast that states the real type is known.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

const AccessibilityLibrary& Accessibility() {
  static const AccessibilityLibrary library = [] {
    AccessibilityLibrary entries;
    HMODULE accessibility = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    HMODULE automation = LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (accessibility == nullptr || automation == nullptr) {
      return entries;
    }
    entries.createStandardObject =
        Entry<decltype(&CreateStdAccessibleObject)>(accessibility, "CreateStdAccessibleObject");
    entries.resultFromObject =
        Entry<decltype(&LresultFromObject)>(accessibility, "LresultFromObject");
    entries.dispatchInvoke = Entry<decltype(&DispInvoke)>(automation, "DispInvoke");
    entries.allocateString = Entry<decltype(&SysAllocStringLen)>(automation, "SysAllocStringLen");
    entries.initialiseVariant = Entry<decltype(&VariantInit)>(automation, "VariantInit");
    return entries;
  }();
  return library;
}

LONG MsaaRole(form::AccessibleRole role) {
  switch (role) {
    case form::AccessibleRole::Text:
      return ROLE_SYSTEM_TEXT;
    case form::AccessibleRole::PushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case form::AccessibleRole::Grouping:
      return ROLE_SYSTEM_GROUPING;
    case form::AccessibleRole::CheckBox:
      return ROLE_SYSTEM_CHECKBUTTON;
    case form::AccessibleRole::StaticText:
      return ROLE_SYSTEM_STATICTEXT;
    case form::AccessibleRole::Graphic:
      break;
  }
  return ROLE_SYSTEM_GRAPHIC;
}

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The standard object with the table's name and role for the control itself
// (CHILDID_SELF); every other question goes to the standard object. It keeps
// the standard object's other interfaces behind its own identity: windows
// are found through IOleWindow and children through IEnumVARIANT.
//
// COM interfaces have no virtual destructor: the object deletes itself, as
// its own final type, when its last reference is released.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AccessibleControl final : public IAccessible, public IOleWindow, public IEnumVARIANT {
 public:
  // Takes a reference to the standard object.
  AccessibleControl(IAccessible& standard, HWND control, const form::ControlSpec& spec)
      : standard_(standard),
        control_(control),
        name_(Utf8ToWide(spec.accessibleName)),
        role_(MsaaRole(form::RoleOf(spec.kind))) {
    standard_.AddRef();
    standard_.QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(&window_));
    standard_.QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children_));
  }
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;
  AccessibleControl(AccessibleControl&&) = delete;
  AccessibleControl& operator=(AccessibleControl&&) = delete;

  // IUnknown, for all three interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow) && window_ != nullptr) {
      *object = static_cast<IOleWindow*>(this);
    } else if (iid == __uuidof(IEnumVARIANT) && children_ != nullptr) {
      *object = static_cast<IEnumVARIANT*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch: the type information is the standard object's, which is that
  // of IAccessible; calls through it reach this object's own members.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_.GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_.GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_.GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrongArgument) override {
    if (iid != IID_NULL) {
      return DISP_E_UNKNOWNINTERFACE;
    }
    ITypeInfo* info = nullptr;
    const HRESULT found = standard_.GetTypeInfo(0, locale, &info);
    if (FAILED(found)) {
      return found;
    }
    const HRESULT invoked =
        Accessibility().dispatchInvoke(static_cast<IAccessible*>(this), info, id, flags, parameters,
                                       result, exception, wrongArgument);
    info->Release();
    return invoked;
  }

  // IAccessible: the name and role of the control itself from the table.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    // Buttons and labels are named by the caption they show now.
    if (!IsSelf(child) || name_.empty()) {
      return standard_.get_accName(child, name);
    }
    if (name == nullptr) {
      return E_POINTER;
    }
    *name = Accessibility().allocateString(name_.data(), static_cast<UINT>(name_.size()));
    return *name == nullptr ? E_OUTOFMEMORY : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) {
      return standard_.get_accRole(child, role);
    }
    if (role == nullptr) {
      return E_POINTER;
    }
    Accessibility().initialiseVariant(role);
    role->vt = VT_I4;
    role->lVal = role_;
    return S_OK;
  }

  // IAccessible: the rest as the system computes it.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_.get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_.get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
    return standard_.get_accChild(child, dispatch);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_.get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_.get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_.get_accState(child, state);
    // Wine's standard object leaves out the tick of a check box, which
    // Windows' includes.
    if (SUCCEEDED(result) && IsSelf(child) && role_ == ROLE_SYSTEM_CHECKBUTTON &&
        state->vt == VT_I4 && SendMessageW(control_, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      state->lVal |= STATE_SYSTEM_CHECKED;
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_.get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_.get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_.get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return standard_.get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_.get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_.get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_.accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_.accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_.accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_.accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_.accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_.put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_.put_accValue(child, value);
  }

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override { return window_->GetWindow(window); }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override {
    return window_->ContextSensitiveHelp(enter);
  }

  // IEnumVARIANT
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* children, ULONG* fetched) override {
    return children_->Next(count, children, fetched);
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return children_->Skip(count); }
  HRESULT STDMETHODCALLTYPE Reset() override { return children_->Reset(); }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override { return children_->Clone(copy); }

 private:
  ~AccessibleControl() {
    if (children_ != nullptr) {
      children_->Release();
    }
    if (window_ != nullptr) {
      window_->Release();
    }
    standard_.Release();
  }

  LONG references_ = 1;
  IAccessible& standard_;
  HWND control_;
  IOleWindow* window_ = nullptr;
  IEnumVARIANT* children_ = nullptr;
  std::wstring name_;
  LONG role_;
};
#pragma GCC diagnostic pop

// Every other message goes on to the class's own procedure, which is the
// control's own: the control is given this one as soon as it is made.
LRESULT CALLBACK AnswerForControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) {
    if (const form::ControlSpec* spec = ControlWithId(GetDlgCtrlID(control))) {
      if (const std::optional<LRESULT> answer = AnswerGetObject(control, *spec, wParam, lParam)) {
        return *answer;
      }
    }
  }
  return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC)),
                         control, message, wParam, lParam);
}

}  // namespace

std::optional<LRESULT> AnswerGetObject(HWND control, const form::ControlSpec& spec, WPARAM wParam,
                                       LPARAM lParam) {
  // The object identifier travels as a DWORD, whatever the width of LPARAM.
  if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) {
    return std::nullopt;
  }
  const AccessibilityLibrary& library = Accessibility();
  if (library.createStandardObject == nullptr || library.resultFromObject == nullptr ||
      library.dispatchInvoke == nullptr || library.allocateString == nullptr ||
      library.initialiseVariant == nullptr) {
    return std::nullopt;  // the system's standard answer, without the table's names
  }
  IAccessible* standard = nullptr;
  if (FAILED(library.createStandardObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&standard)))) {
    return std::nullopt;
  }
  auto* accessible = new AccessibleControl(*standard, control, spec);
  standard->Release();
  // The result holds its own reference to the object.
  const LRESULT result = library.resultFromObject(__uuidof(IAccessible), wParam,
                                                  static_cast<IAccessible*>(accessible));
  accessible->Release();
  return result;
}

void AnswerAsInTable(HWND control) {
  // The procedure is replaced rather than chained with SetWindowSubclass: the
  // chain's dispatcher looks itself up in a window property twice for every
  // message the control receives, and under Wine each lookup is a round trip
  // to the server.
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerForControl));
}

}  // namespace plinthar::win32

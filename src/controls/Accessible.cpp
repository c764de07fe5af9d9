#include "controls/Accessible.h"

#include <oleacc.h>

#include <new>
#include <utility>

#include "shared/LateLibrary.h"
#include "shared/System.h"

namespace controls {

namespace {

// The standard accessible object of a window, answering with a name (and role) of ours and
// passing every other question on. Reference-counted as COM requires; made with one
// reference, which the maker gives up once the object is handed out.
class TNamedAccessible final : public IAccessible {
public:
    TNamedAccessible(IAccessible* standard, std::vector<wchar_t>&& name, long role) noexcept
        : standard_(standard), name_(std::move(name)), role_(role) {}
    TNamedAccessible(const TNamedAccessible&) = delete;
    TNamedAccessible& operator=(const TNamedAccessible&) = delete;

    // IUnknown. Other interfaces (the window, the children's enumeration) are the standard
    // object's own.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, IID_IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --references_;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // The two answers of our own, for the object itself; its children answer as they do.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!Self(child) || !name)
            return standard_->get_accName(child, name);
        using SysAllocStringFn = BSTR(WINAPI*)(const OLECHAR*);
        *name =
            shared::LateProc<SysAllocStringFn>(shared::Oleaut32, "SysAllocString")(name_.data());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!Self(child) || role_ == 0 || !role)
            return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = role_;
        return S_OK;
    }

    // IDispatch and the rest of IAccessible: the standard object's answers.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                     UINT* badArgument) override {
        return standard_->Invoke(id, iid, lcid, flags, params, result, info, badArgument);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~TNamedAccessible() { standard_->Release(); }
    static bool Self(const VARIANT& child) {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }

    IAccessible* standard_;
    std::vector<wchar_t> name_;
    long role_;
    long references_ = 1;
};

} // namespace

TAccessibleName::TAccessibleName(const std::string& name, long role)
    : name_(shared::WideFromAnsi(name)), role_(role) {}

LRESULT TAccessibleName::Answer(HWND hwnd, WPARAM wParam, LPARAM lParam) const noexcept {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    // A reader that cannot be answered hears the system's own name; an error box would only
    // stand in its way.
    try {
        return NamedObject(hwnd, wParam);
    } catch (...) {
        return 0;
    }
}

LRESULT TAccessibleName::NamedObject(HWND hwnd, WPARAM flags) const {
    // All that can fail with an exception comes first, before the standard object is held.
    const auto create = shared::LateProc<decltype(&CreateStdAccessibleObject)>(
        shared::Oleacc, "CreateStdAccessibleObject");
    const auto toResult =
        shared::LateProc<decltype(&LresultFromObject)>(shared::Oleacc, "LresultFromObject");
    std::vector<wchar_t> name = name_;
    IAccessible* standard = nullptr;
    if (FAILED(create(hwnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* named = new (std::nothrow) TNamedAccessible(standard, std::move(name), role_);
    if (!named) {
        standard->Release();
        return 0;
    }
    const LRESULT answer = toResult(IID_IAccessible, flags, named);
    named->Release();
    return answer > 0 ? answer : 0;
}

} // namespace controls

#pragma once
// A container in miniature for the control tests: a site with a switchable run mode that records
// its notifications, an event sink that records every event (and may act inside it), and a
// dialog window without widgets that the dialog procedure can drive.

#include "thesaurus/CTezarCtrl.h"
#include "thesaurus/ControlSite.h"
#include "thesaurus/DialogWindow.h"
#include "thesaurus/TezarIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tezar::test {

class TestSite final : public IControlSite {
public:
    bool userMode = true;
    std::vector<DispId> changed;
    std::vector<bool> modal; // true: opening, false: closed

    HResult QueryInterface(const Guid& iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IControlSite) {
            *object = static_cast<IControlSite*>(this);
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return 2; } // lives on the test's stack
    uint32_t Release() override { return 1; }
    HResult GetAmbientProperty(DispId id, Variant* value) override {
        if (id != DISPID_AMBIENT_USERMODE) return DISP_E_MEMBERNOTFOUND;
        *value = Variant::Bool(userMode);
        return S_OK;
    }
    void OnModalDialog(bool opening) override { modal.push_back(opening); }
    void OnPropertyChanged(DispId id) override { changed.push_back(id); }
    void* GetWindow() override { return nullptr; }
};

struct EventRecord {
    DispId id;
    std::vector<int16_t> args;
};

class EventSink final : public IDispatch {
public:
    std::vector<EventRecord> events;
    // Called inside the event, before it is recorded; may change the by-reference arguments.
    std::function<void(DispId, DispParams&)> handler;

    HResult QueryInterface(const Guid& iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return 2; }
    uint32_t Release() override { return 1; }
    HResult GetIDsOfNames(std::string_view, DispId*) override { return E_NOTIMPL; }
    HResult Invoke(DispId id, InvokeKind, DispParams& params, Variant*, ExcepInfo*) override {
        if (handler) handler(id, params);
        EventRecord r{id, {}};
        for (const Variant& v : params.args)
            r.args.push_back(v.Type() == VarType::RefI2 ? *v.AsRefI2() : -999);
        events.push_back(r);
        return S_OK;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> n;
        for (const auto& e : events)
            n.push_back(TezarEventName(e.id));
        return n;
    }
};

// Creates a control through its factory entry with a site and a sink connected.
struct Harness {
    TestSite site;
    EventSink sink;
    CTezarCtrl* ctrl = nullptr;
    uint32_t cookie = 0;

    Harness() {
        void* obj = nullptr;
        CTezarCtrl::Create(IID_IDispatch, &obj);
        ctrl = static_cast<CTezarCtrl*>(static_cast<IDispatch*>(obj));
        ctrl->SetClientSite(&site);
        ctrl->Advise(&sink, &cookie);
    }
    ~Harness() {
        ctrl->Close();
        static_cast<IDispatch*>(ctrl)->Release();
    }
    HResult Get(DispId id, Variant& out, ExcepInfo* e = nullptr, std::vector<Variant> args = {}) {
        DispParams p{std::move(args)};
        ExcepInfo local;
        return ctrl->Invoke(id, InvokeKind::PropertyGet, p, &out, e ? e : &local);
    }
    HResult Put(DispId id, Variant value, ExcepInfo* e = nullptr) {
        DispParams p{{std::move(value)}};
        ExcepInfo local;
        return ctrl->Invoke(id, InvokeKind::PropertyPut, p, nullptr, e ? e : &local);
    }
    // The error number of a put, 0 when it succeeded.
    int PutError(DispId id, Variant value) {
        ExcepInfo e;
        const HResult hr = Put(id, std::move(value), &e);
        return hr == DISP_E_EXCEPTION ? e.code : (hr == S_OK ? 0 : -1);
    }
    int GetError(DispId id, std::vector<Variant> args = {}) {
        ExcepInfo e;
        Variant v;
        const HResult hr = Get(id, v, &e, std::move(args));
        return hr == DISP_E_EXCEPTION ? e.code : (hr == S_OK ? 0 : -1);
    }
    std::string GetString(DispId id, std::vector<Variant> args = {}) {
        Variant v;
        EXPECT_EQ(Get(id, v, nullptr, std::move(args)), S_OK) << id;
        return v.Type() == VarType::String ? v.AsString() : "<not a string>";
    }
    int GetInt(DispId id) {
        Variant v, i;
        EXPECT_EQ(Get(id, v), S_OK) << id;
        v.ChangeType(VarType::I4, i);
        return i.AsI4();
    }
    int Check(const std::string& word) { return PutError(DISPID_CheckWord, Variant::String(word)); }
};

// A dialog window without widgets; starts with the template's texts.
class FakeDialog final : public IDialogWindow {
public:
    std::string caption = "Thesaurus";
    std::map<int, std::string> texts = {{kIdLookedUpLabel, "Looked Up:"},
                                        {kIdChangeToLabel, "Change &To:"},
                                        {kIdSynonymsLabel, "Synonyms:"},
                                        {kIdReplace, "&Replace"},
                                        {kIdCancel, "Cancel"},
                                        {kIdHelp, "&Help"},
                                        {kIdOptions, "&Options..."},
                                        {kIdChangeTo, ""}};
    std::map<int, bool> shown = {{kIdOptions, true}, {kIdHelp, true}};
    std::map<int, std::vector<std::string>> lists;
    std::map<int, int> selection = {{kIdChangeTo, -1}, {kIdLookedUpList, -1}};
    int limit = 0;
    bool allSelected = false;
    int focus = 0;
    int width = 400, height = 200, deskWidth = 1000, deskHeight = 800;
    int left = -1, top = -1;
    std::vector<std::pair<uint32_t, std::string>> systemMenu;
    std::vector<std::string> messages;
    bool ended = false;
    int result = 0;

    void SetCaption(std::string_view t) override { caption = t; }
    void SetItemText(int id, std::string_view t) override {
        texts[id] = t;
        if (id == kIdChangeTo) allSelected = false;
    }
    std::string GetItemText(int id) const override {
        auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    void ShowItem(int id, bool show) override { shown[id] = show; }
    void SetFocusTo(int id) override { focus = id; }
    void GetSize(int& w, int& h) const override { w = width, h = height; }
    void GetDesktopSize(int& w, int& h) const override { w = deskWidth, h = deskHeight; }
    void MoveTo(int l, int t) override { left = l, top = t; }
    void AddString(int id, std::string_view t) override { lists[id].emplace_back(t); }
    int GetCount(int id) const override {
        auto it = lists.find(id);
        return it == lists.end() ? 0 : static_cast<int>(it->second.size());
    }
    std::string GetString(int id, int index) const override {
        auto it = lists.find(id);
        if (it == lists.end() || index < 0 || index >= static_cast<int>(it->second.size())) return {};
        return it->second[static_cast<size_t>(index)];
    }
    void SetCurSel(int id, int index) override {
        selection[id] = index;
        if (id == kIdChangeTo && index >= 0) SetItemText(id, GetString(id, index));
    }
    void LimitText(int, int length) override { limit = length; }
    void SelectAllText(int) override { allSelected = true; }
    void AppendSystemMenuSeparator() override { systemMenu.emplace_back(0u, ""); }
    void AppendSystemMenuItem(uint32_t c, std::string_view t) override {
        systemMenu.emplace_back(c, std::string(t));
    }
    void MessageBox(std::string_view t, std::string_view) override { messages.emplace_back(t); }
    void EndDialog(int r) override {
        ended = true;
        result = r;
    }

    // The user's actions, as the dialog would forward them.
    intptr_t Command(DialogProc proc, int id, uint16_t code) {
        return proc(this, WM_COMMAND, MakeWParam(id, code), 0);
    }
    // The user picks item `index` of the combo's list.
    void PickSynonym(DialogProc proc, int index) {
        SetCurSel(kIdChangeTo, index);
        Command(proc, kIdChangeTo, CBN_SELCHANGE);
    }
};

} // namespace tezar::test

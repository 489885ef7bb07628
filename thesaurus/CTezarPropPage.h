#pragma once
// The control's property page: six fields, each bound to the control property of the same name.

#include "thesaurus/PropertyPage.h"

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tezar {

class CTezarPropPage final : public IPropertyPage {
public:
    static HResult Create(const Guid& iid, void** object);

    CTezarPropPage();

    HResult QueryInterface(const Guid& iid, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    HResult GetTitle(std::string* title) override;
    HResult SetObjects(const std::vector<IDispatch*>& objects) override;
    HResult Activate(void* parent) override;
    HResult Deactivate() override;
    HResult IsPageDirty() override;
    HResult Apply() override;

    // The page's widget while active (for containers and tests).
    QWidget* Widget() const { return m_page.data(); }

private:
    ~CTezarPropPage();
    void Load();
    void ReleaseObjects();

    std::atomic<uint32_t> m_refs{1};
    std::vector<IDispatch*> m_objects;
    QPointer<QWidget> m_page;
    QLineEdit* m_mainThesFile = nullptr;
    QComboBox* m_automaticDialog = nullptr;
    QLineEdit* m_dialogTitle = nullptr;
    QLineEdit* m_optionBtnCaption = nullptr;
    QCheckBox* m_optionBtnVisible = nullptr;
    QCheckBox* m_helpBtnVisible = nullptr;
    bool m_dirty = false;
    bool m_loading = false;
};

} // namespace tezar

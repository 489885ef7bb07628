#pragma once
// The demo container's form: a text box, a "Thesaurus…" button, the dialog language and the
// Options/Help button choices, and a log of the control's events. The chosen synonym replaces the
// word looked up.

#include "thesaurus/demo/ControlHost.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tezar {

class DemoForm : public QWidget {
public:
    explicit DemoForm(ControlHost& host);

    void SetWord(const QString& word);
    void SetLanguage(int automaticDialog);
    void SetButtons(bool options, bool help);
    void SetThesaurusFile(const QString& path);
    // Looks the word (or the selected part of the text) up through the control.
    void Check();
    void ShowProperties();

private:
    void OnEvent(DispId id, DispParams& params);
    void Log(const QString& line);

    ControlHost& m_host;
    QLineEdit* m_txtWord;
    QPushButton* m_cmdThesaurus;
    QComboBox* m_cbxDialog;
    QCheckBox* m_chkOptions;
    QCheckBox* m_chkHelp;
    QListWidget* m_lstEvents;
    QLabel* m_lblStatus;
    QString m_thesFile;
    int m_replaceFrom = 0;
    int m_replaceLength = 0;
};

} // namespace tezar

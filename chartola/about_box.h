#pragma once
// The About box of the chart: title, version, description, and a button that starts the
// system-information program found through the registry.

#include "platform/dialogs.h"
#include "platform/registry.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace chartola {

// What the About box uses: the registry and the launcher of the system-information
// program, the message when there is none, and where its buttons lead.
struct AboutLinks {
    platform::Dialogs& dialogs;
    platform::Registry& registry;
    platform::ProgramLauncher& launcher;
    std::function<void()> close; // OK: the box goes, the chart stays
    std::function<void()> endProgram;
};

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(AboutLinks links, QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click() { StartSysInfo(); }
    void StartSysInfo();
    // True when the value was read; `KeyVal` then holds it, and is empty on failure.
    bool GetKeyValue(platform::RegistryKey KeyRoot, const std::string& KeyName,
                     const std::string& SubKeyRef, QString& KeyVal);

protected:
    void reject() override; // Escape: the same as OK
    void closeEvent(QCloseEvent* event) override;

private:
    AboutLinks links_;
    bool closingByOk_ = false;
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace chartola

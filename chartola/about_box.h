#pragma once
// The About box of the chart: title, version, description, and a button that starts the
// system-information program found through the registry.

#include "platform/registry.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace chartola {

class Program;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(Program& program, QWidget* parent = nullptr);

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
    Program& program_;
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

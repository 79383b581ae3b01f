#include "about_box.h"

#include "platform/enter_clicks.h"
#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/pictures.h"
#include "platform/placement.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using platform::place;

namespace chartola {
namespace {

const QString kAppTitle = QStringLiteral("Chartola");

} // namespace

frmAbout::frmAbout(AboutLinks links, QWidget* parent) : QDialog(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(false);
    setFixedSize(platform::twipsToPixels(5730), platform::twipsToPixels(3750));
    setFont(platform::makeFont(platform::kSansFont, 8.25)); // the old default font

    picIcon = place(new QLabel(this), "picIcon", {240, 240, 540, 540});
    picIcon->setPixmap(platform::loadPicture("chartola_icon.png"));
    QFont bold = font();
    bold.setBold(true);
    lblTitle = place(new QLabel(this), "lblTitle", {1050, 240, 4485, 480}, bold);
    lblVersion = place(new QLabel(this), "lblVersion", {1050, 780, 4485, 225});
    lblDescription = place(
        new QLabel(QString::fromUtf16(
                       u"Descrizione applicazione :  questo programma consente la traduzione dei "
                       u"vocaboli dall'italiano al thailandese e viceversa. E' implementata "
                       u"inoltre la pronuncia audio delle consonanti Thai. La versione definitiva "
                       u"di questo programma comprenderà i vocaboli scritti in caratteri Thai e la "
                       u"pronuncia audio degli stessi."),
                   this),
        "lblDescription", {1050, 1125, 4485, 1170});
    lblDisclaimer = place(
        new QLabel(QString::fromUtf16(
                       u"Attenzione: questo programma, versione 2.0, è distribuito liberamente e "
                       u"può essere copiato senza costi. Gli aggiornamenti sono pubblicati sul "
                       u"sito del kit."),
                   this),
        "lblDisclaimer", {255, 2625, 3870, 825});
    for (QLabel* text : {lblTitle, lblVersion, lblDescription, lblDisclaimer}) {
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    for (int top : {2430, 2445}) {
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(top == 2430 ? QFrame::Sunken : QFrame::Plain);
        line->setGeometry(platform::twipsRect(120, top, 5400, 15));
    }
    cmdOK = place(new QPushButton(QStringLiteral("OK"), this), "cmdOK", {4245, 2625, 1260, 345});
    cmdOK->setDefault(true);
    cmdSysInfo = place(new QPushButton(QStringLiteral("&System Info..."), this), "cmdSysInfo",
                       {4260, 3075, 1245, 345});
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    platform::EnterClicks::installOnAll(this);
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("Informazioni su ") + kAppTitle);
    lblVersion->setText(QStringLiteral("Versione 2.0 Beta Release 10/08/2000"));
    lblTitle->setText(kAppTitle + QStringLiteral(" - the Thai kit team, 2026"));
}

void frmAbout::cmdOK_Click() {
    closingByOk_ = true;
    links_.close();
}

void frmAbout::reject() {
    cmdOK_Click();
}

void frmAbout::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!closingByOk_)
        links_.endProgram(); // closed by its frame
}

bool frmAbout::GetKeyValue(platform::RegistryKey KeyRoot, const std::string& KeyName,
                           const std::string& SubKeyRef, QString& KeyVal) {
    platform::Registry& registry = links_.registry;
    platform::RegistryKey key = 0;
    if (registry.openKey(KeyRoot, KeyName, platform::kKeyAllAccess, key) !=
        platform::kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    unsigned char buffer[1024] = {};
    std::uint32_t size = sizeof buffer;
    std::uint32_t type = 0;
    if (registry.queryValue(key, SubKeyRef, type, buffer, size) != platform::kErrorSuccess) {
        KeyVal.clear();
        registry.closeKey(key);
        return false;
    }
    std::string value(reinterpret_cast<const char*>(buffer),
                      std::min<std::uint32_t>(size, sizeof buffer));
    if (!value.empty() && value.back() == '\0')
        value.pop_back();
    if (type == platform::kRegSz) {
        KeyVal = QString::fromLocal8Bit(value.data(), static_cast<qsizetype>(value.size()));
    } else if (type == platform::kRegDword) {
        // The bytes' hexadecimal digits, from the last byte to the first, each without its
        // leading zero, read back as one hexadecimal number.
        QString digits = KeyVal;
        for (auto it = value.rbegin(); it != value.rend(); ++it)
            digits += QString::number(static_cast<unsigned char>(*it), 16).toUpper();
        bool ok = false;
        const qulonglong number = digits.toULongLong(&ok, 16);
        KeyVal = ok ? QString::number(static_cast<qint32>(static_cast<quint32>(number)))
                    : QStringLiteral("0");
    }
    registry.closeKey(key);
    return true;
}

void frmAbout::StartSysInfo() {
    platform::ProgramLauncher& launcher = links_.launcher;
    QString path;
    bool found = false;
    if (GetKeyValue(platform::kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                    "PATH", path)) {
        found = true;
    } else if (GetKeyValue(platform::kHkeyLocalMachine,
                           "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path)) {
        const QString program = path + QStringLiteral("\\MSINFO32.EXE");
        if (launcher.fileExists(program)) {
            path = program;
            found = true;
        }
    }
    if (found && launcher.start(path))
        return;
    links_.dialogs.messageBox(
        QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."),
        {platform::Buttons::Ok, platform::Icon::None}, kAppTitle);
}

} // namespace chartola

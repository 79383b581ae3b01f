#pragma once
// The consonant chart: 46 letter buttons; a click shows the letter's reading and name
// line and plays its recorded sound.

#include "platform/dialogs.h"
#include "platform/sound_player.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace alphabet {
struct Consonant;
}

namespace chartola {

// What the chart uses: the folder question, the sound, and where its buttons lead.
struct ChartLinks {
    platform::Dialogs& dialogs;
    platform::SoundPlayer& player;
    std::function<void()> showAbout;
    std::function<void()> showDictionary; // in place of the chart and the credits
    std::function<void()> endProgram;
};

// The tooltip of a letter button: its Unicode name, its class, whether it is still used.
QString letterTooltip(const alphabet::Consonant& consonant);

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(ChartLinks links, QWidget* parent = nullptr);

    void Form_Load();
    void CommandN_Click(int number); // Command1_Click ... Command46_Click, all alike
    void Command47_Click();
    void Command48_Click();
    void Form_Unload();
    void main();

    const QString& soundPath() const { return SoundPath; }
    const QString& soundFile() const { return SoundFile; }
    int toggle(int number) const { return toggles_[static_cast<std::size_t>(number - 1)]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ChartLinks links_;
    QString SoundPath;
    QString SoundFile;
    std::array<int, 46> toggles_{};

    QLabel* Label1 = nullptr;
    std::array<QPushButton*, 46> letterButtons_{};
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QPushButton* Command47 = nullptr;
    QPushButton* Command48 = nullptr;
};

} // namespace chartola

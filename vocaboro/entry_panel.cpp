#include "entry_panel.h"

#include "platform/fonts.h"
#include "platform/placement.h"
#include "platform/spoken_message.h"
#include "platform/widget_look.h"
#include "platform/wrap_button.h"
#include "platform/wrapping_label.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <tuple>

namespace vocaboro {
namespace {

using platform::place;
using platform::Twips;

QFont serif(double points, bool bold = false) {
    return platform::makeFont(platform::kSerifFont, points, bold);
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, Twips at,
              const QString& style) {
    auto* lab = place(new QLabel(caption, parent), name, at, serif(9.75));
    lab->setStyleSheet(style);
    return lab;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, Twips at,
                    const QString& style = {}) {
    auto* b = place(new platform::WrapButton(caption, parent), name, at, serif(9.75, true));
    if (!style.isEmpty())
        b->setStyleSheet(style);
    return b;
}

const char* const kCaptionNames[] = {"Label1", "Label2", "Label3", "Label4",
                                     "Label5", "Label6", "Label7"};
const char* const kBoxNames[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
constexpr int kRowTops[] = {120, 480, 960, 1440, 1920, 2400, 2880};
constexpr int kBoxTops[] = {120, 480, 840, 1440, 1920, 2400, 2880};

} // namespace

EntryPanel::EntryPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("entryPanel"));
    // The left part of the window, clear of the console's controls on the right.
    setGeometry(platform::twipsRect(0, 0, 6100, 6400));

    const QString rowStyle = QStringLiteral("color: white; background: transparent;");
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const bool thai = kEntryBoxes[i].thai;
        captions_[i] = label(this, kCaptionNames[i], QLatin1String(kEntryBoxes[i].caption),
                             {240, kRowTops[i], 1215, 255}, rowStyle);
        // The Thai box is wider and taller, for the Thai font.
        boxes_[i] = place(new QLineEdit(this), kBoxNames[i],
                          {1560, kBoxTops[i], thai ? 4215 : 2295, thai ? 495 : 315},
                          thai ? platform::makeFont(platform::kThaiFixedFont, 20.25) : serif(9.75));
        boxes_[i]->setMaxLength(std::numeric_limits<int>::max()); // never cut what is pasted
        captions_[i]->setBuddy(boxes_[i]);
        boxes_[i]->setAccessibleName(boxName(kEntryBoxes[i]));
        connect(boxes_[i], &QLineEdit::textEdited, this, &EntryPanel::edited);
        if (i > 0)
            setTabOrder(boxes_[i - 1], boxes_[i]);
    }

    // The file labels grow to fit the file names; the error box lies over them while shown.
    Label9 = label(this, "Label9", QStringLiteral("file DAT Italy"), {120, 3360, 1575, 255},
                   platform::flatColours(QColor(0, 255, 0)));
    Label10 = label(this, "Label10", QStringLiteral("file DAT Thai"), {120, 3840, 1575, 255},
                    platform::flatColours(QColor(0, 255, 255)));
    Label12 = label(this, "Label12", QString(), {1800, 3360, 2055, 735},
                    QStringLiteral("color: white; background-color: #ff0000;"));
    Label12->setFont(serif(14.25, true));
    Label12->setAlignment(Qt::AlignCenter);
    Label12->setWordWrap(true);
    // The check's refusal and the written records are read out as they show.
    platform::markAsMessage(Label12);

    Command3D4 =
        button(this, "Command3D4", QStringLiteral("delete ALL field"), {120, 4200, 3735, 255});
    Command3D5 =
        button(this, "Command3D5", QStringLiteral("CHECK Before Write Files..."),
               {840, 4560, 2295, 855}, platform::flatColours(QColor(0x40, 0x60, 0xff), Qt::white));
    // The write button lies exactly over the check button.
    Command3D3 = button(this, "Command3D3", QString(), {840, 4560, 2295, 855},
                        platform::flatColours(QColor(0xff, 0x30, 0x30), Qt::white));
    const QString recordStyle = QStringLiteral("color: white; background-color: #c00000;");
    for (auto [record, name, top] :
         {std::tuple{&Label11, "Label11", 4560}, std::tuple{&Label13, "Label13", 5040}}) {
        *record =
            place(new platform::WrappingLabel(this), name, {120, top, 3735, 375}, serif(9.75));
        (*record)->setStyleSheet(recordStyle);
        platform::markAsMessage(*record);
    }
    setRecordLabels(QStringLiteral("file 1"), QStringLiteral("file 2"));
    Command3D6 = button(this, "Command3D6", QStringLiteral("End"), {360, 5520, 1455, 735});
    // Two buttons read "End": this one closes the panel, the console's ends the program.
    Command3D6->setAccessibleName(tr("End the new word"));
    Command3D6->setAccessibleDescription(tr("Close the new-word panel"));
    Command3D8 = button(this, "Command3D8", QStringLiteral("Abort"), {1200, 5520, 1455, 735});
    Command3D7 = button(this, "Command3D7", QStringLiteral("Next..."), {2040, 5520, 1455, 735});
    Label12->raise();
    // Editing after a passing check asks for another check.
    connect(this, &EntryPanel::edited, this, [this] {
        if (state_ == State::ReadyToWrite)
            setState(State::Typing);
    });
    setState(State::Closed);
}

void EntryPanel::setState(State state) {
    state_ = state;
    const bool open = state != State::Closed;
    const bool written = state == State::Written;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        captions_[i]->setVisible(open);
        boxes_[i]->setVisible(open);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Label9, Label10, Command3D4})
        w->setVisible(open);
    Command3D5->setVisible(open && !written);
    Command3D8->setVisible(open && !written);
    Command3D3->setVisible(state == State::ReadyToWrite);
    for (QWidget* w : std::initializer_list<QWidget*>{Label11, Label13, Command3D6, Command3D7})
        w->setVisible(written);
    if (!open)
        Label12->hide();
    setVisible(open);
}

EntryTexts EntryPanel::texts() const {
    EntryTexts texts;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        texts[i] = boxes_[i]->text();
    return texts;
}

void EntryPanel::setTexts(const EntryTexts& texts) {
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        platform::setTextFromStart(boxes_[i], texts[i]);
}

void EntryPanel::showError(const QString& message) {
    // The box grows to the right, over the free console, when a message needs more room.
    const bool shown = Label12->isVisible();
    platform::setFittedText(Label12, message, platform::Anchor::Left);
    Label12->show();
    if (shown) // another refusal where one showed
        platform::announceMessage(Label12);
}

void EntryPanel::hideError() {
    Label12->hide();
}

void EntryPanel::setFileLabels(const QString& italy, const QString& thai) {
    platform::setFittedText(Label9, italy);
    platform::setFittedText(Label10, thai);
}

void EntryPanel::setRecordLabels(const QString& forward, const QString& reverse) {
    Label11->setText(forward);
    Label13->setText(reverse);
    // Each record shows whole: the labels take the panel's width and the rows their records
    // need, between the check button's top and the row of "End" and "Next..."; records too
    // long for that room are shown in a smaller type.
    const QRect first = platform::twipsRect(120, 4560, 5880, 375);
    const QRect second = platform::twipsRect(120, 5040, 5880, 375);
    const int bottom = platform::twipsToPixels(5520) - 2;
    for (double points = 9.75;; points -= 0.75) {
        Label11->setFont(serif(points));
        Label13->setFont(serif(points));
        int high = std::max(first.height(), Label11->heightForWidth(first.width()));
        int top = std::max(second.top(), first.top() + high + 2);
        int low = std::max(second.height(), Label13->heightForWidth(second.width()));
        if (top + low > bottom && points > 7)
            continue;
        // Past what even the smallest type holds, each gets half the room; the pointer's tip
        // and a screen reader still give the whole record.
        const bool cut = top + low > bottom;
        if (cut) {
            high = (bottom - first.top()) / 2 - 1;
            top = first.top() + high + 2;
            low = bottom - top;
        }
        Label11->setToolTip(cut ? forward : QString());
        Label13->setToolTip(cut ? reverse : QString());
        Label11->setGeometry(first.left(), first.top(), first.width(), high);
        Label13->setGeometry(second.left(), top, second.width(), low);
        return;
    }
}

void EntryPanel::enterPressed(int index) {
    const auto i = static_cast<std::size_t>(index);
    QLineEdit* box = boxes_[i];
    QWidget* next = i + 1 < boxes_.size() ? static_cast<QWidget*>(boxes_[i + 1]) : Command3D5;
    if (!next->isHidden())
        next->setFocus();
    if (!box->text().isEmpty())
        return;
    if (const char* marker = kEntryBoxes[i].marker)
        box->setText(QLatin1String(marker));
    else
        box->setFocus();
}

} // namespace vocaboro

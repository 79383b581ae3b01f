#pragma once
// A label whose text wraps onto more lines wherever it must: between words, and inside a
// word longer than a line (a data record runs its values together without blanks).

#include <QLabel>

namespace platform {

class WrappingLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The height that the whole text needs at `width`, frame and margins included.
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int flags() const;
};

} // namespace platform

#pragma once

#include "ui/Controls.h"

namespace ui {

// A push button with a small picture above its caption, pressed as a Button is.
class CaptionedPictureButton : public Button {
    Q_OBJECT
public:
    CaptionedPictureButton(const QString& caption, const QFont& font, const QIcon& picture);

    // A thick red edge that points the button out as the one to press now.
    void setPointedOut(bool pointed);
    bool pointedOut() const { return pointed; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool pointed = false;
};

} // namespace ui

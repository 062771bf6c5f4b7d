#pragma once

#include "ui/Controls.h"

namespace ui {

// A push button with a small picture above its caption, pressed as a Button is.
class CaptionedPictureButton : public Button {
    Q_OBJECT
public:
    CaptionedPictureButton(const QString& caption, const QFont& font, const QIcon& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui

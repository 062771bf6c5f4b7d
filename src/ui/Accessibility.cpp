#include "ui/Accessibility.h"

#include "ui/Controls.h"
#include "ui/PictureSlot.h"
#include "ui/Screen.h"
#include "ui/Speech.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace ui {

namespace {

// A label as Qt presents it, but named "heading: value" when it has a heading.
// The name is made when asked for, so it follows every change of the text.
class HeadedLabel : public QAccessibleWidget {
public:
    explicit HeadedLabel(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text which) const override {
        const auto* label = static_cast<const Label*>(widget());
        if (which != QAccessible::Name || !label->accessibleName().isEmpty())
            return QAccessibleWidget::text(which);
        if (label->heading().isEmpty())
            return label->text();
        return label->heading() + QStringLiteral(": ") + label->text().trimmed();
    }
};

// A place on a board that holds no picture shows nothing, so a screen reader
// lists nothing there either.
class BoardSlot : public QAccessibleWidget {
public:
    explicit BoardSlot(PictureSlot* slot) : QAccessibleWidget(slot, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (!static_cast<const PictureSlot*>(widget())->hasPicture())
            state.invisible = true;
        return state;
    }
};

QAccessibleInterface* controlInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(Label::staticMetaObject.className())) {
        if (auto* label = qobject_cast<Label*>(object))
            return new HeadedLabel(label);
    } else if (className == QLatin1String(PictureSlot::staticMetaObject.className())) {
        if (auto* slot = qobject_cast<PictureSlot*>(object))
            return new BoardSlot(slot);
    } else if (className == QLatin1String(Screen::staticMetaObject.className())) {
        // A window, not Qt's plain "filler": only a window's activation makes a
        // screen reader say the name of the screen that opened.
        if (auto* screen = qobject_cast<Screen*>(object))
            return new QAccessibleWidget(screen, QAccessible::Window);
    } else if (className == QLatin1String(PictureButton::staticMetaObject.className())) {
        // A face shows the last outcome and does nothing when pressed: heard as
        // a picture, a pupil does not press it hoping for the answer.
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    } else if (className == QLatin1String(SpokenLine::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StatusBar);
    } else if (className == QLatin1String(SpokenNotice::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

// A screen reader hears a window when it is activated and a control when it
// gets the focus, but only once the bridge to it is active: when the
// accessibility bus answers late, the screen on show and its focus are told
// again as soon as it is. The bridge makes its link after it turns active,
// so they are told once the event loop comes back.
class LateBridge : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override {
        if (!active || wasActive) {
            wasActive = active;
            return;
        }
        wasActive = true;
        QTimer::singleShot(0, qApp, [] { tellWhatIsOnShow(); });
    }

private:
    static void tellWhatIsOnShow() {
        QWidget* window = QApplication::activeWindow();
        if (!window || !QAccessible::isActive())
            return;
        QAccessible::State activated;
        activated.active = true;
        QAccessibleStateChangeEvent shown(window, activated);
        QAccessible::updateAccessibility(&shown);
        if (QWidget* focused = window->focusWidget()) {
            QAccessibleEvent focus(focused, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }

    bool wasActive = QAccessible::isActive();
};

} // namespace

void installAccessibility() {
    // Never deleted, since Qt may tell it of the bridge until the very end;
    // kept here so that it is known to live for the whole run.
    static LateBridge* const lateBridge = [] {
        QAccessible::installFactory(controlInterface);
        auto* observer = new LateBridge;
        QAccessible::installActivationObserver(observer);
        return observer;
    }();
    (void)lateBridge;
}

} // namespace ui

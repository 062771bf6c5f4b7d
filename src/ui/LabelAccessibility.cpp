#include "ui/LabelAccessibility.h"

#include "ui/Controls.h"

#include <QAccessibleWidget>

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

QAccessibleInterface* labelInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(Label::staticMetaObject.className()))
        if (auto* label = qobject_cast<Label*>(object))
            return new HeadedLabel(label);
    return nullptr;
}

} // namespace

void installLabelAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(labelInterface);
        return true;
    }();
    (void)installed;
}

} // namespace ui

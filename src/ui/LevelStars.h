#pragma once

#include <QWidget>

namespace ui {

// The level as three small stars, as many filled as the level, drawn in the
// font's height at the right end of their parent (the menu bar, which no
// screen's content ever reaches). A screen reader hears "livello 2 di 3".
class LevelStars : public QWidget {
    Q_OBJECT
public:
    static constexpr int Stars = 3;

    explicit LevelStars(QWidget* parent = nullptr);
    void setLevel(int level);
    int level() const { return shown; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    int shown = 0;
};

} // namespace ui

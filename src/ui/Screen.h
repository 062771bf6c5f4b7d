#pragma once

#include "ui/Scaling.h"
#include "ui/Twips.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QMenuBar;
class QAction;
class QAbstractButton;

namespace ui {

class AnswerBox;
class NumberPad;
class Speech;
class Voice;

// A top-level window whose controls are placed in twips on a client area of a
// designed size, below an optional menu bar of top-level items. It opens at
// that size; made larger (full screen, maximised) it draws its content larger
// by one factor, centred, its background colour filling the rest.
class Screen : public QWidget {
    Q_OBJECT
    // For the message boxes over the screen, which grow alike.
    Q_PROPERTY(double contentScale READ contentScale)
public:
    Screen(int clientWidthTwips, int clientHeightTwips);
    // Stops watching the application's focus before the controls go: their
    // deletion moves the focus while this is no longer a whole Screen.
    ~Screen() override;

    QWidget* client() const { return clientArea; }
    // 1 at the designed size.
    double contentScale() const { return scale; }

    // Full screen or not is chosen for the whole run: F11 on any screen, or the
    // command line; each screen opens the way the last one was left.
    static bool fullScreenChosen();
    static void chooseFullScreen(bool fullScreen);
    void showAsChosen();
    void toggleFullScreen();

    // The number pad beside the content (below it on a display taller than
    // wide), shown as NumberPad::wanted says; a window grows by its strip,
    // never beyond the display's free area. F9
    // shows or hides it, and the choice holds for the screens that follow.
    void setNumberPad(NumberPad* pad);
    NumberPad* numberPad() const { return pad; }
    bool padIsShown() const { return padShown; }
    // Whether a finger works the screen: full screen, or the pad shown.
    bool byFinger() const;
    void togglePad();

    // Text drawn straight on the background turns white where black would not
    // read; controls with a background of their own keep their colours.
    void setBackground(quint32 bgr);
    quint32 background() const { return backgroundBgr; }

    // A menu bar item with no submenu; the caption is kept as given, spaces and all.
    QAction* addMenuItem(const QString& caption, std::function<void()> handler);
    QMenuBar* menuBar() const { return menu; }

    template <class Control>
    Control* place(Control* control, int left, int top, int width, int height) {
        control->setParent(clientArea);
        placeAt(control, left, top, width, height);
        return control;
    }
    template <class Control> Control* place(Control* control, const TwipsRect& r) {
        return place(control, r.left, r.top, r.width, r.height);
    }
    // Handlers run guarded: an error is reported, never thrown into Qt. What
    // a handler says is spoken once it has run.
    void onClick(QAbstractButton* button, std::function<void()> handler);
    void onEnterReleased(AnswerBox* box, std::function<void()> handler);
    void handle(const std::function<void()>& handler);

    // A sentence for a screen reader (see Speech).
    void say(const QString& sentence);
    // The same sentence with its amounts written for a voice.
    void say(const QString& sentence, const QString& voiced);
    // Where the voiced sentences go; by default nowhere.
    void setVoice(Voice* voice);

    // A placed control shown only on occasion, a notice: the board's full
    // screen makes room for it while it shows, and gives the room back.
    void showsOnOccasion(QWidget* control);

    // Moves a control later on; the place holds at any scale.
    static void placeAt(QWidget* control, int left, int top, int width, int height);

    // Runs once when the screen is created, before it is shown.
    virtual void Form_Load() {}
    // Runs once, when the screen is first shown; a message box closing over the
    // screen does not run it again.
    virtual void Form_Activate() {}
    // Run in idle time on a screen made for nothing else, so that the first
    // real opening finds the costly things ready (pictures decoded, say). It
    // draws no problem and leaves the program's state as it was.
    virtual void prepareAhead() {}

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The client area's scale, the twips point at its corner and its size.
    struct ContentPlace {
        LayoutScale scale;
        QPoint origin;
        QSize size;
    };
    ContentPlace filling(QSize room) const;
    // The content with the pad's strip beside it, or below it.
    static QSize withStrip(QSize content, QSize strip, bool below);
    void giveFocusBackFromMenu();
    void fitContent();
    void scaleMenuBar();
    void showPadAsChosen();
    void fitWindowToDisplay();
    void keepOnDisplay();
    bool padBelow() const;
    int designedMenuHeight() const;
    QSize designedWindow() const;

    QWidget* stage;
    QWidget* clientArea;
    QSize designedClient;
    double scale = 1.0;
    QPoint origin; // of the layout, at the client area's corner
    bool shownFullScreen = false;
    QRect normalPlace; // where the window stood before full screen
    QMenuBar* menu = nullptr;
    NumberPad* pad = nullptr;
    bool padShown = false;
    Speech* speech;
    QFont designedMenuFont;  // the bar's, before it is first scaled
    int plainMenuHeight = 0; // the bar's at that font
    // The control that had the keyboard before the menu bar took it with Alt.
    QPointer<QWidget> focusBeforeMenu;
    QMetaObject::Connection focusWatch;
    quint32 backgroundBgr = 0;
    bool activated = false;
};

} // namespace ui

#pragma once

class QKeyEvent;

namespace ui {

// Whether a key press starts a new physical press rather than repeating a key
// held down. X marks repeats as such only when it can pair them in time; an
// unmarked repeat still carries the server time of the release just before it,
// which no finger can match.
bool isFreshPress(const QKeyEvent* press);

// Remembers the press of a key on one control until its release, so that the
// control acts once per physical press and only on a press it saw itself: a
// release whose press went elsewhere (a menu button, a message box) does nothing.
class KeyLatch {
public:
    KeyLatch();
    // Arms the latch on a fresh press; repeats while the key is held never re-arm it.
    void press(const QKeyEvent* event);
    // True once for the release that ends the armed press.
    bool release(const QKeyEvent* event);
    // The control lost the keyboard: whatever was pressed no longer counts.
    void reset() { armedKey = 0; }
    bool armed() const { return armedKey != 0; }

private:
    int armedKey = 0;
};

} // namespace ui

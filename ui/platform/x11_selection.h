#pragma once
// The X11 clipboard read for Ctrl+V on a connection of the program's own, without waiting in
// the window's event loop: its owner is asked for one type after another until it gives one,
// never for the list of all its types (Qt asks the X server one question per listed type, so an
// owner offering 100,000 of them froze the window for half a minute). The answer comes through
// done(); an owner that does not answer within the time given is given up on, and a transfer in
// parts (INCR) is taken up to a bound.
#include <QByteArray>
#include <QObject>
#include <chrono>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTimer;
struct xcb_connection_t;

class X11Selection : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Taken, NotOffered, NoAnswer, TooLarge, NoServer };

    explicit X11Selection(QObject* parent);
    ~X11Selection() override;

    // Asks the CLIPBOARD's owner for `targets` in turn (type names as X atoms, "UTF8_STRING"
    // or "application/x-kadro-design"), giving up after `timeout`, and taking at most
    // `maxBytes` (TooLarge past them, with the first maxBytes). False, and nothing asked, while
    // a reading is under way.
    bool read(std::vector<QByteArray> targets, std::chrono::milliseconds timeout, size_t maxBytes);
    bool busy() const { return connection_ != nullptr; }

signals:
    // Once per read(): what came of it, the bytes and the type they came as when taken.
    void done(X11Selection::Outcome outcome, const QByteArray& bytes, const QByteArray& target);

private:
    void askNext();
    void takeEvents();
    // Whether the property holds the whole text, or one part of a transfer in parts (INCR).
    enum class Transfer { Whole, InParts };
    void takeProperty(Transfer transfer);
    void finish(Outcome outcome);

    xcb_connection_t* connection_ = nullptr;
    uint32_t window_ = 0;
    uint32_t clipboard_ = 0, property_ = 0, incr_ = 0;
    std::vector<QByteArray> targets_;
    std::vector<uint32_t> atoms_;
    size_t next_ = 0, maxBytes_ = 0;
    bool incremental_ = false;
    QByteArray bytes_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* timer_ = nullptr;
};

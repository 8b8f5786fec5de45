#include "ui/platform/x11_selection.h"

#include <xcb/xcb.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <cstring>

namespace {

uint32_t atom(xcb_connection_t* connection, const QByteArray& name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.constData()),
        nullptr);
    const uint32_t id = reply ? reply->atom : uint32_t{XCB_ATOM_NONE};
    std::free(reply);
    return id;
}

}  // namespace

X11Selection::X11Selection(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { finish(Outcome::NoAnswer); });
}

X11Selection::~X11Selection() {
    if (connection_) xcb_disconnect(connection_);
}

bool X11Selection::read(std::vector<QByteArray> targets, std::chrono::milliseconds timeout,
                        size_t maxBytes) {
    if (busy()) return false;
    connection_ = xcb_connect(nullptr, nullptr);
    targets_ = std::move(targets);
    next_ = 0;
    maxBytes_ = maxBytes;
    incremental_ = false;
    bytes_.clear();
    timer_->start(timeout);
    if (xcb_connection_has_error(connection_)) {
        // Said once the caller is back in the event loop, as every other outcome is.
        QTimer::singleShot(0, this, [this] { finish(Outcome::NoServer); });
        return true;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    window_ = xcb_generate_id(connection_);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    // The X server answers these at once, whoever owns the clipboard.
    clipboard_ = atom(connection_, "CLIPBOARD");
    property_ = atom(connection_, "KADRO_PASTE");
    incr_ = atom(connection_, "INCR");
    atoms_.clear();
    for (const QByteArray& target : targets_) atoms_.push_back(atom(connection_, target));
    notifier_ =
        new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { takeEvents(); });
    askNext();
    return true;
}

void X11Selection::askNext() {
    if (next_ >= atoms_.size()) {
        finish(Outcome::NotOffered);
        return;
    }
    xcb_convert_selection(connection_, window_, clipboard_, atoms_[next_], property_,
                          XCB_CURRENT_TIME);
    xcb_flush(connection_);
}

void X11Selection::takeEvents() {
    while (connection_) {
        if (xcb_connection_has_error(connection_)) {
            finish(Outcome::NoServer);
            return;
        }
        xcb_generic_event_t* event = xcb_poll_for_event(connection_);
        if (!event) return;
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_SELECTION_NOTIFY) {
            const auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
            if (notify->property == XCB_ATOM_NONE) {
                ++next_;  // not offered as this type: the next one
                askNext();
            } else {
                takeProperty(Transfer::Whole);
            }
        } else if (type == XCB_PROPERTY_NOTIFY) {
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (incremental_ && change->atom == property_ &&
                change->state == XCB_PROPERTY_NEW_VALUE)
                takeProperty(Transfer::InParts);
        }
        std::free(event);
    }
}

// Reads and deletes the property the owner wrote. Deleting it is also what asks an owner that
// sends in parts for the next part; a part of no bytes ends such a transfer.
void X11Selection::takeProperty(Transfer transfer) {
    const bool incremental = transfer == Transfer::InParts;
    const auto words =
        static_cast<uint32_t>((maxBytes_ - static_cast<size_t>(bytes_.size())) / 4 + 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 1, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0, words),
        nullptr);
    if (!reply) {
        finish(Outcome::NoServer);
        return;
    }
    const int length = xcb_get_property_value_length(reply);
    const bool beginsParts = !incremental && reply->type == incr_;
    const bool more = reply->bytes_after > 0;
    if (!beginsParts)
        bytes_.append(static_cast<const char*>(xcb_get_property_value(reply)), length);
    std::free(reply);
    xcb_flush(connection_);
    if (beginsParts) {
        incremental_ = true;
    } else if (more || static_cast<size_t>(bytes_.size()) > maxBytes_) {
        bytes_.truncate(static_cast<qsizetype>(maxBytes_));
        finish(Outcome::TooLarge);
    } else if (!incremental || length == 0) {
        finish(Outcome::Taken);
    }
}

void X11Selection::finish(Outcome outcome) {
    if (!connection_) return;
    timer_->stop();
    if (notifier_) {
        notifier_->setEnabled(false);  // its socket goes with the connection
        notifier_->deleteLater();      // finish() may run in its own signal
    }
    notifier_ = nullptr;
    xcb_disconnect(connection_);
    connection_ = nullptr;
    const QByteArray target = outcome == Outcome::Taken ? targets_[next_] : QByteArray();
    emit done(outcome,
              outcome == Outcome::Taken || outcome == Outcome::TooLarge ? bytes_ : QByteArray(),
              target);
}

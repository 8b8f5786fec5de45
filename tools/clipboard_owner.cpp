// Owns the X11 CLIPBOARD as another program would, for the paste tests: offers a text under
// the design type and UTF8_STRING, listed among N made-up types, or never answers at all; with
// --chunk, hands the text over in parts of that many bytes (INCR), as owners of large texts do.
//   clipboard_owner [--types N] [--silent] [--chunk BYTES] TEXT
// A TEXT of the form @N is N bytes of "x".
// Prints "owner" once it holds the clipboard; runs until another program takes it or it is
// killed.
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const std::string& name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.c_str()), nullptr);
    const xcb_atom_t id = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return id;
}

}  // namespace

int main(int argc, char** argv) {
    int types = 0;
    bool silent = false;
    size_t chunk = 0;
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--types") == 0 && i + 1 < argc) {
            types = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--silent") == 0) {
            silent = true;
        } else if (std::strcmp(argv[i], "--chunk") == 0 && i + 1 < argc) {
            chunk = static_cast<size_t>(std::atol(argv[++i]));
        } else {
            text = argv[i][0] == '@' ? std::string(static_cast<size_t>(std::atol(argv[i] + 1)), 'x')
                                     : argv[i];
        }
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "clipboard_owner: no display\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t clipboard = atom(connection, "CLIPBOARD"),
                     targets = atom(connection, "TARGETS");
    const xcb_atom_t design = atom(connection, "application/x-kadro-design");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    const xcb_atom_t incr = atom(connection, "INCR");
    // A transfer in parts under way: to whom, into which property, as which type, how far.
    xcb_window_t partsTo = XCB_NONE;
    xcb_atom_t partsProperty = XCB_NONE, partsType = XCB_NONE;
    size_t sent = 0;
    std::vector<xcb_atom_t> offered{targets, design, utf8};
    // The made-up types, asked for all at once and then answered.
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (int i = 0; i < types; ++i) {
        const std::string name = "application/x-made-up-" + std::to_string(i);
        cookies.push_back(
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.c_str()));
    }
    for (xcb_intern_atom_cookie_t cookie : cookies) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        if (reply) offered.push_back(reply->atom);
        std::free(reply);
    }
    xcb_set_selection_owner(connection, window, clipboard, XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    std::printf("owner\n");
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_SELECTION_CLEAR) {
            std::free(event);
            break;
        }
        if (type == XCB_PROPERTY_NOTIFY && partsTo != XCB_NONE) {
            // The requestor deleted the last part: the next one, and an empty one at the end.
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (change->window == partsTo && change->atom == partsProperty &&
                change->state == XCB_PROPERTY_DELETE) {
                const size_t size = std::min(chunk, text.size() - sent);
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, partsTo, partsProperty,
                                    partsType, 8, static_cast<uint32_t>(size), text.data() + sent);
                if (size == 0) partsTo = XCB_NONE;
                sent += size;
                xcb_flush(connection);
            }
        }
        if (type == XCB_SELECTION_REQUEST && !silent) {
            const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
            xcb_atom_t property =
                request->property == XCB_ATOM_NONE ? request->target : request->property;
            if (request->target == targets) {
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request->requestor, property,
                                    XCB_ATOM_ATOM, 32, static_cast<uint32_t>(offered.size()),
                                    offered.data());
            } else if ((request->target == design || request->target == utf8) && chunk > 0) {
                const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(connection, request->requestor, XCB_CW_EVENT_MASK,
                                             &events);
                const auto size = static_cast<uint32_t>(text.size());
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request->requestor, property,
                                    incr, 32, 1, &size);
                partsTo = request->requestor, partsProperty = property;
                partsType = request->target, sent = 0;
            } else if (request->target == design || request->target == utf8) {
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request->requestor, property,
                                    request->target, 8, static_cast<uint32_t>(text.size()),
                                    text.data());
            } else {
                property = XCB_ATOM_NONE;  // not offered as that
            }
            xcb_selection_notify_event_t notify{};
            notify.response_type = XCB_SELECTION_NOTIFY;
            notify.time = request->time;
            notify.requestor = request->requestor;
            notify.selection = request->selection;
            notify.target = request->target;
            notify.property = property;
            xcb_send_event(connection, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                           reinterpret_cast<const char*>(&notify));
            xcb_flush(connection);
        }
        std::free(event);
    }
    xcb_disconnect(connection);
    return 0;
}

// Owns the X11 CLIPBOARD as another program would, for the paste tests: offers a text under
// the design type and UTF8_STRING, listed among N made-up types, or never answers at all.
//   clipboard_owner [--types N] [--silent] TEXT
// Prints "owner" once it holds the clipboard; runs until another program takes it or it is
// killed.
#include <xcb/xcb.h>

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
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--types") == 0 && i + 1 < argc) {
            types = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--silent") == 0) {
            silent = true;
        } else {
            text = argv[i];
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
        if (type == XCB_SELECTION_REQUEST && !silent) {
            const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
            xcb_atom_t property =
                request->property == XCB_ATOM_NONE ? request->target : request->property;
            if (request->target == targets) {
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request->requestor, property,
                                    XCB_ATOM_ATOM, 32, static_cast<uint32_t>(offered.size()),
                                    offered.data());
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

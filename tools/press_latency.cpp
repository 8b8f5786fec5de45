// Times one mouse press on an X display: from the press sent (XTEST) to the first change of the
// screen's pixel under the pointer, read back from the root window as fast as the server answers.
//   press_latency X Y     prints the milliseconds; exits 1 when nothing changed within 2 s
//   press_latency --drag X0 Y0 X Y
//                         presses at (X0, Y0), then times a move to (X, Y) with the button down,
//                         from the move sent to the first change of the pixel there; releases
//   press_latency --alternate N X1 Y1 X2 Y2 [BUTTON]
//                         clicks N times (button 1 unless given), at the first point and the
//                         second in turn, each taken by the server before the next
//   press_latency --burst N X1 Y1 X2 Y2
//                         the same, but 1,000 clicks sent at once before the server is waited
//                         for: a burst of input queued for the program
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

uint32_t pixelAt(xcb_connection_t* connection, xcb_window_t root, int x, int y) {
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<int16_t>(x),
                      static_cast<int16_t>(y), 1, 1, ~0u),
        nullptr);
    if (!image) return 0;
    uint32_t pixel = 0;
    std::memcpy(&pixel, xcb_get_image_data(image),
                std::min<int>(4, xcb_get_image_data_length(image)));
    std::free(image);
    return pixel & 0xFFFFFF;
}

void fake(xcb_connection_t* connection, xcb_window_t root, uint8_t type, uint8_t detail, int x,
          int y) {
    xcb_test_fake_input(connection, type, detail, XCB_CURRENT_TIME, root, static_cast<int16_t>(x),
                        static_cast<int16_t>(y), 0);
    xcb_flush(connection);
}

// Waits until the server has taken everything sent so far.
void sync(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

int alternate(xcb_connection_t* connection, xcb_window_t root, int count, const int (&at)[4],
              uint8_t button, int waitEvery) {
    for (int n = 0; n < count; ++n) {
        const int x = at[n % 2 * 2], y = at[n % 2 * 2 + 1];
        fake(connection, root, XCB_MOTION_NOTIFY, 0, x, y);
        fake(connection, root, XCB_BUTTON_PRESS, button, x, y);
        fake(connection, root, XCB_BUTTON_RELEASE, button, x, y);
        if ((n + 1) % waitEvery != 0) continue;
        sync(connection);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    sync(connection);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool bursting = argc == 7 && std::strcmp(argv[1], "--burst") == 0;
    const bool alternating =
        ((argc == 7 || argc == 8) && std::strcmp(argv[1], "--alternate") == 0) || bursting;
    const bool dragging = argc == 6 && std::strcmp(argv[1], "--drag") == 0;
    if (argc != 3 && !alternating && !dragging) {
        std::fprintf(stderr,
                     "usage: press_latency X Y | press_latency --drag X0 Y0 X Y | "
                     "press_latency --alternate N X1 Y1 X2 Y2 [BUTTON] | press_latency --burst N "
                     "X1 Y1 X2 Y2\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "press_latency: no display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    if (alternating) {
        const int at[4] = {std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                           std::atoi(argv[6])};
        const auto button = static_cast<uint8_t>(argc == 8 ? std::atoi(argv[7]) : 1);
        const int status =
            alternate(connection, root, std::atoi(argv[2]), at, button, bursting ? 1000 : 1);
        xcb_disconnect(connection);
        return status;
    }
    const int x = std::atoi(argv[dragging ? 4 : 1]), y = std::atoi(argv[dragging ? 5 : 2]);
    if (dragging) {
        const int x0 = std::atoi(argv[2]), y0 = std::atoi(argv[3]);
        fake(connection, root, XCB_MOTION_NOTIFY, 0, x0, y0);
        fake(connection, root, XCB_BUTTON_PRESS, 1, x0, y0);
        sync(connection);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the press has shown
    } else {
        fake(connection, root, XCB_MOTION_NOTIFY, 0, x, y);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const uint32_t before = pixelAt(connection, root, x, y);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point pressed = Clock::now();
    if (dragging) {
        fake(connection, root, XCB_MOTION_NOTIFY, 0, x, y);
    } else {
        fake(connection, root, XCB_BUTTON_PRESS, 1, x, y);
    }
    bool changed = false;
    while (Clock::now() - pressed < std::chrono::seconds(2)) {
        if (pixelAt(connection, root, x, y) != before) {
            changed = true;
            break;
        }
    }
    const double milliseconds =
        std::chrono::duration<double, std::milli>(Clock::now() - pressed).count();
    fake(connection, root, XCB_BUTTON_RELEASE, 1, x, y);
    sync(connection);  // the server has taken the release before this connection goes
    xcb_disconnect(connection);
    if (!changed) {
        std::fprintf(stderr, "press_latency: the pixel at %d, %d did not change\n", x, y);
        return 1;
    }
    std::printf("%.3f\n", milliseconds);
    return 0;
}

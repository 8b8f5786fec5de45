#include "ui/platform/display_scale.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace kadro {

namespace {
bool sensibleDpi(double dpi) { return dpi >= kMinSensibleDpi && dpi <= kMaxSensibleDpi; }
}  // namespace

int displayScale(const DisplayDensity& display, int windowWidth, int windowHeight) {
    const double dpi = sensibleDpi(display.resourceDpi)   ? display.resourceDpi
                       : sensibleDpi(display.physicalDpi) ? display.physicalDpi
                                                          : 96.0;
    int scale = std::max(1, static_cast<int>(std::lround(dpi / 96.0)));
    // In 64 bits, so that no window or screen size can overflow the products.
    while (scale > 1 && (int64_t{windowWidth} * scale > display.availableWidth ||
                         int64_t{windowHeight} * scale > display.availableHeight))
        --scale;
    return scale;
}

bool sensibleScale(const QByteArray& value) {
    // QT_SCALE_FACTOR is one number; QT_SCREEN_SCALE_FACTORS a list of "number" or
    // "screen=number", separated by semicolons or commas.
    const QList<QByteArray> parts = value.split(value.contains(';') ? ';' : ',');
    bool any = false;
    for (const QByteArray& part : parts) {
        const QByteArray number = part.mid(part.lastIndexOf('=') + 1).trimmed();
        if (number.isEmpty() && parts.size() > 1) continue;
        bool ok = false;
        const double scale = number.toDouble(&ok);
        if (!ok || !std::isfinite(scale) || scale < kMinSensibleScale || scale > kMaxSensibleScale)
            return false;
        any = true;
    }
    return any;
}

namespace {

// The value of a root window property, as bytes; empty when it is not set.
std::string rootProperty(xcb_connection_t* connection, xcb_window_t root, const char* name,
                         xcb_atom_t type) {
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    if (!atom) return {};
    const xcb_atom_t property = atom->atom;
    std::free(atom);
    if (property == XCB_ATOM_NONE) return {};
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, property, type, 0, 1 << 16), nullptr);
    if (!reply) return {};
    std::string value(
        static_cast<const char*>(xcb_get_property_value(reply)),
        static_cast<size_t>(xcb_get_property_value_length(reply)) * (reply->format / 8));
    std::free(reply);
    return value;
}

int xftDpi(const std::string& resources) {
    // Lines of "name:\tvalue"; the one wanted is "Xft.dpi".
    size_t at = 0;
    while (at < resources.size()) {
        const size_t end = std::min(resources.find('\n', at), resources.size());
        const std::string line = resources.substr(at, end - at);
        if (line.rfind("Xft.dpi:", 0) == 0) {
            // Any number at all, held within int: one past the sensible range counts as unknown.
            const double dpi = std::strtod(line.c_str() + 8, nullptr);
            return std::isfinite(dpi) ? static_cast<int>(std::clamp(dpi, 0.0, 1e6)) : 0;
        }
        at = end + 1;
    }
    return 0;
}

}  // namespace

std::optional<DisplayDensity> readDisplayDensity() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return std::nullopt;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    if (!screens.rem) {
        xcb_disconnect(connection);
        return std::nullopt;
    }
    const xcb_screen_t& screen = *screens.data;
    DisplayDensity display;
    display.resourceDpi =
        xftDpi(rootProperty(connection, screen.root, "RESOURCE_MANAGER", XCB_ATOM_STRING));
    if (screen.width_in_millimeters > 0)
        display.physicalDpi = screen.width_in_pixels * 25.4 / screen.width_in_millimeters;
    display.availableWidth = screen.width_in_pixels;
    display.availableHeight = screen.height_in_pixels;
    // A window manager's work area leaves its panels out: x, y, width, height of the first desktop.
    const std::string area =
        rootProperty(connection, screen.root, "_NET_WORKAREA", XCB_ATOM_CARDINAL);
    if (area.size() >= 4 * sizeof(uint32_t)) {
        uint32_t values[4];
        std::memcpy(values, area.data(), sizeof values);
        display.availableWidth = static_cast<int>(values[2]);
        display.availableHeight = static_cast<int>(values[3]);
    }
    xcb_disconnect(connection);
    return display;
}

void chooseDisplayScale(int windowWidth, int windowHeight) {
    // A scale of the user's own wins where it can work; one that cannot (no window at all, or
    // one of 32767 pixels) is said and left out.
    for (const char* scale : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
        if (qEnvironmentVariableIsSet(scale) && !sensibleScale(qgetenv(scale))) {
            std::fprintf(
                stderr, "kadro: %s=%s is not a scale from %g to %g; using the display's own\n",
                scale, qgetenv(scale).left(40).constData(), kMinSensibleScale, kMaxSensibleScale);
            qunsetenv(scale);
        }
    }
    for (const char* own : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                            "QT_ENABLE_HIGHDPI_SCALING", "QT_USE_PHYSICAL_DPI", "QT_FONT_DPI"}) {
        if (qEnvironmentVariableIsSet(own)) return;
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return;
    if (!qEnvironmentVariableIsSet("DISPLAY")) return;
    const std::optional<DisplayDensity> display = readDisplayDensity();
    if (!display) return;  // Qt will say that it has no display
    const int scale = displayScale(*display, windowWidth, windowHeight);
    // Qt would scale by Xft.dpi / 96 on its own, fractions included, and size point fonts by it
    // too; the whole-number scale replaces both, so text in points is scaled once, with the rest.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");
    if (scale > 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
}

}  // namespace kadro

#pragma once
// The whole-number scale the program runs at on a high-density screen.
#include <QByteArray>
#include <optional>

namespace kadro {

// What the X display says about its density and room, read before Qt starts.
struct DisplayDensity {
    int resourceDpi = 0;     // Xft.dpi from the X resource database, 0 when not set
    double physicalDpi = 0;  // from the screen's size in pixels and millimetres, 0 when unknown
    int availableWidth = 0;  // the work area (the screen less panels), in device pixels
    int availableHeight = 0;
};

// Densities outside this range are taken for unknown.
inline constexpr double kMinSensibleDpi = 24;
inline constexpr double kMaxSensibleDpi = 960;

// The scale for a window of windowWidth x windowHeight at scale 1: Xft.dpi / 96, else the
// physical density / 96 (each where it lies within the sensible range), else 1, rounded to a
// whole number (2 at about 192 dpi, 1 at 96, never below 1), then lowered until the window fits
// the available area.
int displayScale(const DisplayDensity& display, int windowWidth, int windowHeight);

// A scale of the user's own (QT_SCALE_FACTOR, or each of QT_SCREEN_SCALE_FACTORS) must be a
// finite number in this range to be used.
inline constexpr double kMinSensibleScale = 0.5;
inline constexpr double kMaxSensibleScale = 8;
bool sensibleScale(const QByteArray& value);

// Reads the density of the X display named by DISPLAY; empty when there is none to read.
std::optional<DisplayDensity> readDisplayDensity();

// A scale of the user's own that is not sensible is said in one line on standard error and left
// out. Unless the user chose a scale of their own (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS, or
// the high-DPI switches), runs the program at the display's whole-number scale for the main window:
// Qt's own fractional scaling off, point fonts at 96 dpi, QT_SCALE_FACTOR the scale. Call before
// the application object exists; does nothing without an X display.
void chooseDisplayScale(int windowWidth, int windowHeight);

}  // namespace kadro

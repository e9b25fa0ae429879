#pragma once
// Layout sizes are given in pixels at 96 dots per inch and scaled for the monitor.
namespace tw {

// Rounded to nearest, halves away from zero.
int ScaleForDpi(int pixels96, int dpi);

} // namespace tw

#ifndef ORVO_WIN32_TOUCH_H
#define ORVO_WIN32_TOUCH_H

// Qt-free so it builds with mingw-w64 alone and is tested under Wine.
namespace orvo_win32 {

struct TouchMetrics
{
    bool touchDigitizer = false; // SM_DIGITIZER has NID_INTEGRATED_TOUCH or NID_EXTERNAL_TOUCH
    int maximumTouches = 0;      // SM_MAXIMUMTOUCHES
};

TouchMetrics touchMetrics();

} // namespace orvo_win32

#endif

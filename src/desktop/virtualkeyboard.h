#ifndef VIRTUALKEYBOARD_H
#define VIRTUALKEYBOARD_H

#include "orvopublicdata_export.h"

#include <QtGlobal>

class VirtualKeyboardPrivate;

// The Windows touch keyboard, opened and closed for the process. The one instance exists from
// the library's load to its unload and belongs to the thread that loaded the library.
class ORVOPUBLICDATA_EXPORT VirtualKeyboard
{
public:
    static VirtualKeyboard *getInstence();

    void showKeyboard();
    void hideKeyboard();

private:
    VirtualKeyboard();
    ~VirtualKeyboard();
    Q_DISABLE_COPY(VirtualKeyboard)

    static VirtualKeyboard s_virtualKeyboard;

    VirtualKeyboardPrivate *d;
};

#endif // VIRTUALKEYBOARD_H

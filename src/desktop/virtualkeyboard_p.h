#ifndef VIRTUALKEYBOARD_P_H
#define VIRTUALKEYBOARD_P_H

#include "orvopublicdata_export.h"

#include <QString>

// The keyboard's COM interfaces and its show and hide decisions, asked of the platform backend
// in effect. Exported so that tests build one under a scripted backend.
class ORVOPUBLICDATA_EXPORT VirtualKeyboardPrivate
{
public:
    VirtualKeyboardPrivate();
    ~VirtualKeyboardPrivate();
    VirtualKeyboardPrivate(const VirtualKeyboardPrivate &) = delete;
    VirtualKeyboardPrivate &operator=(const VirtualKeyboardPrivate &) = delete;

    void showKeyboard();
    void hideKeyboard();

    // The command line of the keyboard program on the drive of `programFilesFolder`.
    static QString tabTipCommandLine(const QString &programFilesFolder);

private:
    bool isVisible() const;
    void startKeyboard();
    bool toggle();
    void setInputPane(quintptr inputPane);
    void setTipInvocation(quintptr tipInvocation);

    quintptr m_inputPane = 0;     // IFrameworkInputPane, for the life of the block
    quintptr m_tipInvocation = 0; // ITipInvocation, only during one request
};

#endif

#include "virtualkeyboard.h"
#include "virtualkeyboard_p.h"

#include "orvolog_p.h"
#include "platformbackend_p.h"

#include <QRect>

using OrvoKiv::Platform::backend;

namespace {

const char kTag[] = "[virtualkeyboard]";
const qint32 kOk = 0; // S_OK

} // namespace

VirtualKeyboardPrivate::VirtualKeyboardPrivate()
{
    backend().keyboardInitialiseCom();
    setInputPane(backend().keyboardCreateInputPane());
}

VirtualKeyboardPrivate::~VirtualKeyboardPrivate()
{
    setTipInvocation(0);
    setInputPane(0);
}

void VirtualKeyboardPrivate::setInputPane(quintptr inputPane)
{
    if (m_inputPane)
        backend().keyboardRelease(m_inputPane);
    m_inputPane = inputPane;
}

void VirtualKeyboardPrivate::setTipInvocation(quintptr tipInvocation)
{
    if (m_tipInvocation)
        backend().keyboardRelease(m_tipInvocation);
    m_tipInvocation = tipInvocation;
}

QString VirtualKeyboardPrivate::tabTipCommandLine(const QString &programFilesFolder)
{
    return programFilesFolder.section(QLatin1Char('\\'), 0, 0)
        + QStringLiteral("/Program Files/Common Files/Microsoft Shared/ink/tabtip.exe");
}

bool VirtualKeyboardPrivate::isVisible() const
{
    QRect rect;
    if (!m_inputPane) {
        orvoDebug() << kTag << "Failed to get keyboard rect! frameworkInputPane is NULL!";
    } else {
        QRect location(QPoint(0, 0), QPoint(0, 0));
        const qint32 result = backend().keyboardPaneLocation(m_inputPane, &location);
        if (result < 0)
            orvoDebug() << kTag << "Failed to get keyboard rect! Location return error code :" << result;
        else
            rect = location;
    }
    return rect.right() - rect.left() > 5;
}

void VirtualKeyboardPrivate::startKeyboard()
{
    QString folder;
    if (!backend().programFilesFolder(&folder)) {
        orvoDebug() << kTag << "Failed to open softkeyboard! : incorrect path";
        return;
    }
    // Left set on purpose: TabTip.exe and everything this process starts later must not ask
    // for elevation.
    qputenv("__compat_layer", "RunAsInvoker");
    if (!backend().createProcess(tabTipCommandLine(folder)))
        orvoDebug() << kTag << "Failed to open softkeyboard! CreateProcess error ";
}

// Toggle is the only way to show or hide the keyboard; the caller decides which it means.
bool VirtualKeyboardPrivate::toggle()
{
    setTipInvocation(0);
    quintptr tipInvocation = 0;
    const bool created = backend().keyboardCreateTipInvocation(&tipInvocation) == kOk;
    setTipInvocation(tipInvocation);
    if (created)
        backend().keyboardToggle(m_tipInvocation);
    setTipInvocation(0);
    return created;
}

void VirtualKeyboardPrivate::showKeyboard()
{
    orvoDebug() << kTag << "begin show keyboard";
    if (backend().isWindows7OrEarlier()) {
        const OrvoKiv::Platform::ShellOpenResult opened = backend().shellOpen(
            QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\ink\\TabTip.exe"));
        if (opened.succeeded)
            orvoDebug() << kTag << "win7 show keyboard ok";
        else
            orvoDebug() << kTag << "win7 show keyboard failed:" << opened.lastError;
        return;
    }
    if (!backend().keyboardWindowPresent()) {
        startKeyboard();
        orvoDebug() << kTag << "open";
    }
    if (isVisible()) {
        orvoDebug() << kTag << "shown, return";
        return;
    }
    if (toggle())
        orvoDebug() << kTag << "show keyboard ok";
    orvoDebug() << kTag << "end show keyboard";
}

void VirtualKeyboardPrivate::hideKeyboard()
{
    orvoDebug() << kTag << "hide keyboard";
    if (backend().isWindows7OrEarlier()) {
        backend().keyboardPostClose();
        return;
    }
    if (isVisible())
        toggle();
}

VirtualKeyboard::VirtualKeyboard()
    : d(new VirtualKeyboardPrivate)
{
}

VirtualKeyboard::~VirtualKeyboard()
{
    delete d;
}

VirtualKeyboard *VirtualKeyboard::getInstence()
{
    return &s_virtualKeyboard;
}

void VirtualKeyboard::showKeyboard()
{
    d->showKeyboard();
}

void VirtualKeyboard::hideKeyboard()
{
    d->hideKeyboard();
}

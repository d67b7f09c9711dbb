#ifndef ORVOLOG_P_H
#define ORVOLOG_P_H

#include <QDebug>

// The library's log lines carry no file, line or function context: each starts with the
// class-qualified name of its writer as a literal.
inline QDebug orvoDebug()
{
    return QMessageLogger().debug();
}

#endif

#ifndef ORVOLOG_P_H
#define ORVOLOG_P_H

#include <QDebug>
#include <QLoggingCategory>

// The library's log lines carry no file, line or function context: each starts with the
// class-qualified name of its writer as a literal.
inline QDebug orvoDebug()
{
    return QMessageLogger().debug();
}

// Whether the host lets debug lines through; lines that format whole listings check it first,
// so a filtered line costs nothing.
inline bool orvoDebugEnabled()
{
    const QLoggingCategory *category = QLoggingCategory::defaultCategory();
    return category && category->isDebugEnabled();
}

#endif

#ifndef ORVO_PROGRAMENTRY_P_H
#define ORVO_PROGRAMENTRY_P_H

#include <QString>

namespace OrvoKiv {

// A candidate program as the scan passes it around: "name|path". The "|" is not escaped.
struct ProgramEntry
{
    QString name;
    QString path;

    static ProgramEntry parse(const QString &text)
    {
        const int bar = text.indexOf(QLatin1Char('|'));
        if (bar < 0)
            return {text, QString()};
        const int end = text.indexOf(QLatin1Char('|'), bar + 1);
        return {text.left(bar), text.mid(bar + 1, end < 0 ? -1 : end - bar - 1)};
    }

    QString text() const { return name + QLatin1Char('|') + path; }
};

} // namespace OrvoKiv

#endif
